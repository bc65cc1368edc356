// Each binary's calls reach its own variant: this program exports the threaded variant's
// C names, the probe library carries the blocking variant under the same names.
#include <dlfcn.h>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/exported_symbols.h"
#include "tests/support/serial_test_support.h"
#include "zudedize/zudedize.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize::test {
namespace {

struct LibraryCloser {
    void operator()(void* handle) const { dlclose(handle); }
};

class ExportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBothVariants();
        probe_.reset(dlopen(ZUDEDIZE_PROBE_PATH, RTLD_NOW | RTLD_LOCAL));
        ASSERT_NE(probe_, nullptr) << dlerror();
    }
    void TearDown() override { ResetBothVariants(); }

    template <typename F>
    F* Probe(const char* name)
    {
        return reinterpret_cast<F*>(dlsym(probe_.get(), name));
    }

    std::unique_ptr<void, LibraryCloser> probe_;
};

TEST_F(ExportsTest, EachBinaryReachesItsOwnVariant)
{
    // A closed port: the blocking variant says 2, the threaded one 0.
    auto* probe_clear_port = Probe<int32_t()>("ClearPort");
    auto* probe_handle = Probe<intptr_t(uint8_t)>("GetCOMHandle");
    ASSERT_TRUE(probe_clear_port && probe_handle);
    EXPECT_EQ(probe_clear_port(), kResultSlotNotOpen);
    EXPECT_EQ(probe_handle(200), kInvalidHandle);
    EXPECT_EQ(::ClearPort(), 0);
    EXPECT_EQ(::GetCOMHandle(200), kNullHandle);

    // Separate state: the library's selector is its own.
    auto* probe_select = Probe<void(uint8_t)>("SetComSelector");
    auto* probe_selector = Probe<uint8_t(uint8_t*)>("GetComSelector");
    ASSERT_TRUE(probe_select && probe_selector);
    probe_select(9);
    EXPECT_EQ(probe_selector(nullptr), 9);
    EXPECT_EQ(::GetComSelector(nullptr), 1);
    probe_select(1);

    // Each exports its own variant's names.
    EXPECT_NE(Probe<void>("pInitializeAnyPort"), nullptr);
    EXPECT_EQ(Probe<void>("IsError"), nullptr);
    EXPECT_EQ(Probe<void>("TimeOut"), nullptr);
}

TEST_F(ExportsTest, LibrarysOwnCallsAreNotTakenOverByTheProgramsNames)
{
    // The probe calls ClearPort by its C name from inside the library. Were the program's
    // ClearPort (threaded, 0 on a closed port) to take it over, this would give 0.
    auto* internal = Probe<int32_t()>("ZudedizeProbeClearPortByName");
    ASSERT_NE(internal, nullptr);
    EXPECT_EQ(internal(), kResultSlotNotOpen);
}

TEST_F(ExportsTest, LibraryExportsOnlyTheCNames)
{
    std::set<std::string> expected;
    std::stringstream names(ZUDEDIZE_PROBE_NAMES);
    for (std::string name; std::getline(names, name, ',');) expected.insert(name);

    EXPECT_EQ(orvel::testing::DefinedDynamicSymbols(ZUDEDIZE_PROBE_PATH), expected);
}

}  // namespace
}  // namespace zudedize::test
