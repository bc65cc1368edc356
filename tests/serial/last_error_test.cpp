// IsError: the caller's 52-byte buffer is never overrun, whatever the text.
#include "serial/last_error.h"

#include <cstring>

#include <gtest/gtest.h>

#include "serial/error_texts.h"
#include "tests/support/serial_test_support.h"
#include "zudedize/zudedize.h"

namespace zudedize::test {
namespace {

constexpr unsigned char kGuard = 0xEE;

bool IsValidUtf8(const char* text)
{
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0;) {
        const int length = *p < 0x80             ? 1
                           : (*p & 0xE0) == 0xC0 ? 2
                           : (*p & 0xF0) == 0xE0 ? 3
                           : (*p & 0xF8) == 0xF0 ? 4
                                                 : 0;
        if (length == 0) return false;
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
        }
        p += length;
    }
    return true;
}

TEST(IsErrorTest, EveryTextFitsTheCallersBufferCutAtACharacterBoundary)
{
    for (const char* text : {texts::kAlreadyInitialised, texts::kDeviceNotFound, texts::kAccessDenied,
                             texts::kInvalidHandle, texts::kBadDevice, texts::kQueueSizes, texts::kLineSettings,
                             texts::kTimeoutsNotRead, texts::kTimeoutsNotWritten, texts::kEventNotSignalled,
                             texts::kWaitFailed, texts::kPortNotOpen, texts::kLineBreak, texts::kLineFrame,
                             texts::kLineOverrun, texts::kLineRxOver, texts::kLineParity, texts::kLineTxFull}) {
        LastError slot;
        slot.Record(text, 8);
        unsigned char buffer[kErrorTextBufferSize + 16];
        std::memset(buffer, kGuard, sizeof buffer);
        std::int32_t code = 0;
        ASSERT_TRUE(slot.Take(reinterpret_cast<char*>(buffer), &code)) << text;
        for (std::size_t i = kErrorTextBufferSize; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], kGuard) << text;
        const char* copied = reinterpret_cast<const char*>(buffer);
        ASSERT_LT(std::strlen(copied), kErrorTextBufferSize) << text;
        EXPECT_TRUE(IsValidUtf8(copied)) << text;
        EXPECT_EQ(std::strncmp(copied, text, std::strlen(copied)), 0) << "a beginning of the text: " << text;
        if (std::strlen(text) < kErrorTextBufferSize) {
            EXPECT_STREQ(copied, text);
        }
        EXPECT_EQ(code, 8);
    }
}

TEST(IsErrorTest, LongestTextsAreCutBeforeTheCharacterThatDoesNotFit)
{
    char buffer[kErrorTextBufferSize];
    // 51 characters, 52 bytes: the full stop goes.
    CopyTextCut(texts::kInvalidHandle, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "Niepoprawny uchwyt do urządzenia, proces przerwany");
    // 50 characters, 55 bytes (six Polish letters).
    CopyTextCut(texts::kLineParity, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "Urządzenie wykryło błąd parzystości (CE_RXPARI");
    // Where the last byte that fits is the first half of a letter, the whole letter goes.
    CopyTextCut("Zabroniony dostęp", buffer, 17);  // 16 bytes of text: half of "ę"
    EXPECT_STREQ(buffer, "Zabroniony dost");
    CopyTextCut("Zabroniony dostęp", buffer, 18);
    EXPECT_STREQ(buffer, "Zabroniony dostę");
}

TEST(IsErrorTest, TakingEmptiesTheSlotAndANullBufferLeavesItAlone)
{
    LastError slot;
    slot.Record(texts::kReadTimeout, 110);
    std::int32_t code = 0;
    EXPECT_FALSE(slot.Take(nullptr, &code));
    EXPECT_EQ(code, -1);
    EXPECT_EQ(slot.Text(), texts::kReadTimeout);

    char buffer[kErrorTextBufferSize];
    EXPECT_TRUE(slot.Take(buffer, &code));
    EXPECT_STREQ(buffer, "Timeout odczytu.");
    EXPECT_EQ(code, 110);
    EXPECT_FALSE(slot.Take(buffer, &code));
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(code, 0);
}

TEST(IsErrorTest, ExportedIsErrorGivesTheThreadedVariantsLastError)
{
    ResetBothVariants();
    EXPECT_EQ(threaded::InitializePort(250, 9600, 1, 1), kErrorFileNotFound);
    char buffer[kErrorTextBufferSize];
    std::int32_t code = 0;
    EXPECT_TRUE(::IsError(buffer, &code));
    EXPECT_STREQ(buffer, "System nie potrafi znależć danego urządzenia.");
    EXPECT_EQ(code, kErrorFileNotFound);
    ResetBothVariants();
}

}  // namespace
}  // namespace zudedize::test
