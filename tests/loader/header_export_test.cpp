// The header export through libkpx2.so: files on disk, byte for byte.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "loader/built_in_image.h"
#include "loader/header_text.h"
#include "tests/support/kpx2_binding.h"

namespace kpx2::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class HeaderExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetLibrary(lib);
        dir = fs::temp_directory_path() / ("kpx2-export-" + std::to_string(getpid()));
        fs::create_directories(dir);
        ASSERT_EQ(lib.ZainicjowanieTypuIWersjiZPlikuBIN(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
    }
    void TearDown() override
    {
        ResetLibrary(lib);
        fs::remove_all(dir);
    }

    std::uint8_t Export(const fs::path& path, int block)
    {
        return lib.ZapisanieBlokuDanychWPlikuH(path.c_str(), block);
    }

    const Kpx2Functions& lib = Kpx2();
    fs::path dir;
};

TEST_F(HeaderExportTest, AllBlocksGiveTheHeaderTheLibraryWasBuiltFrom)
{
    const fs::path out = dir / "image.h";
    const mode_t user_mask = umask(027);
    for (int block = 0; block < 89; ++block) ASSERT_EQ(Export(out, block), 0) << block;
    umask(user_mask);
    const std::string built_from = ReadFile(KPX2_FIRMWARE_HEADER_PATH);
    ASSERT_FALSE(built_from.empty());
    EXPECT_EQ(ReadFile(out), built_from);
    struct stat info {};
    ASSERT_EQ(stat(out.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);  // what the umask lets through, as for every other file

    // Block 0 again under the same name starts the file over.
    ASSERT_EQ(Export(out, 0), 0);
    const std::string restarted = ReadFile(out);
    EXPECT_EQ(restarted, built_from.substr(0, restarted.size()));
    EXPECT_EQ(restarted, HeaderLines(BuiltInImage()) + BlockLine(ImageBlockBytes(BuiltInImage(), 0), false));
}

TEST_F(HeaderExportTest, StartingAtBlock5WritesNoHeaderLinesAndANewNameStartsANewFile)
{
    const fs::path first = dir / "first.h";
    ASSERT_EQ(Export(first, 5), 0);
    ASSERT_EQ(Export(first, 6), 0);
    const FirmwareImage& image = BuiltInImage();
    EXPECT_EQ(ReadFile(first),
              BlockLine(ImageBlockBytes(image, 5), false) + BlockLine(ImageBlockBytes(image, 6), false));

    const fs::path second = dir / "second.h";
    ASSERT_EQ(Export(second, 88), 0);
    EXPECT_EQ(ReadFile(second), BlockLine(ImageBlockBytes(image, 88), true) + "  };\r\n");
    EXPECT_EQ(ReadFile(first).size(), 2 * BlockLine(ImageBlockBytes(image, 5), false).size());
}

TEST_F(HeaderExportTest, RefusesWhatItCannotDo)
{
    // Names up to the 1024 characters kept are taken; a longer one is refused, not cut into
    // the name of another file.
    const auto name_of_length = [this](std::size_t length) {
        std::string name = dir.string() + "/";
        while (name.size() + 3 < length) name += name.size() + 4 < length ? "./" : "/";
        return name + "f.h";
    };
    const std::string longest = name_of_length(1024);
    ASSERT_EQ(longest.size(), 1024u);
    EXPECT_EQ(lib.ZapisanieBlokuDanychWPlikuH(longest.c_str(), 7), 0);
    EXPECT_TRUE(fs::exists(dir / "f.h"));
    fs::remove(dir / "f.h");
    const std::string too_long = name_of_length(1025);
    ASSERT_EQ(too_long.size(), 1025u);
    EXPECT_EQ(lib.ZapisanieBlokuDanychWPlikuH(too_long.c_str(), 0), 213);
    lib.WartoscNumeruBledu(0);
    EXPECT_TRUE(fs::is_empty(dir));

    // A block outside the image: refused before the file is touched.
    const fs::path out = dir / "kept.h";
    ASSERT_EQ(Export(out, 0), 0);
    const std::string before = ReadFile(out);
    EXPECT_EQ(Export(out, 89), 210);
    lib.WartoscNumeruBledu(0);
    EXPECT_EQ(Export(out, -5), 210);
    lib.WartoscNumeruBledu(0);
    EXPECT_EQ(ReadFile(out), before);

    // A file that cannot be created: 207, sticky; and null as a name.
    EXPECT_EQ(Export(dir / "missing" / "x.h", 3), 207);
    EXPECT_EQ(Export(out, 1), 207);
    lib.WartoscNumeruBledu(0);
    EXPECT_EQ(lib.ZapisanieBlokuDanychWPlikuH(nullptr, 1), 207);
    lib.WartoscNumeruBledu(0);

    // Without the image initialised: 203.
    lib.OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
    EXPECT_EQ(Export(out, 1), 203);
}

}  // namespace
}  // namespace kpx2::test
