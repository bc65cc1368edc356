// Error numbers and status bytes to codes, and the codes' texts.
#include "loader/error_codes.h"

#include <gtest/gtest.h>

#include "loader/error_texts.h"

namespace kpx2 {
namespace {

TEST(CodeOfNumber, MapsEachRangeAtItsEnds)
{
    const LineErrors none;
    const struct {
        int number;
        int code;
    } cases[] = {
        {0, 0},     {1, 1},     {20, 20},   {21, 21},   {62, 62},   {77, 77},   {78, 101},  {79, 102},
        {82, 105},  {83, 107},  {94, 118},  {95, 200},  {98, 203},  {107, 212}, {108, 215}, {109, 217},
        {110, 220}, {122, 232}, {123, 234}, {124, 124}, {206, 206}, {255, 255},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CodeOfNumber(static_cast<std::uint8_t>(c.number), none), c.code) << "number " << c.number;
}

TEST(CodeOfNumber, LineErrorsTurnTransferFailuresIntoTheirOwnCodes)
{
    EXPECT_EQ(CodeOfNumber(20, {true, false, false}), 49);
    EXPECT_EQ(CodeOfNumber(21, {false, true, false}), 50);
    EXPECT_EQ(CodeOfNumber(21, {false, false, true}), 51);
    EXPECT_EQ(CodeOfNumber(20, {true, true, true}), 49);  // overrun first, then parity
    EXPECT_EQ(CodeOfNumber(20, {false, true, true}), 50);
    EXPECT_EQ(CodeOfNumber(23, {true, true, true}), 23);  // only the transfer failures
    EXPECT_EQ(CodeOfNumber(79, {true, false, false}), 102);
}

TEST(CodeOfStatus, GivesEachStatusItsCode)
{
    const struct {
        int status;
        int code;
    } cases[] = {
        {0, 0},    {1, 23},    {2, 102},   {3, 103},  {4, 104},   {5, 105},   {6, 23},
        {7, 107},  {18, 118},  {19, 46},   {20, 23},  {99, 23},   {100, 200}, {109, 209},
        {110, 23}, {111, 211}, {112, 212}, {113, 23}, {115, 215}, {116, 23},  {117, 217},
        {119, 23}, {120, 220}, {132, 232}, {133, 23}, {134, 234}, {135, 23},  {255, 23},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CodeOfStatus(static_cast<std::uint8_t>(c.status), StatusSource::Step), c.code)
            << "status " << c.status;
    EXPECT_EQ(CodeOfStatus(1, StatusSource::BlockWrite), 101);
    EXPECT_EQ(CodeOfStatus(2, StatusSource::BlockWrite), 102);
    EXPECT_EQ(CodeOfStatus(6, StatusSource::BlockWrite), 23);
}

TEST(ErrorText, GivesEveryTextWithThePortAndTheDevice)
{
    EXPECT_EQ(ErrorText(0, 1), "operation finished successful");
    EXPECT_EQ(ErrorText(20, 1), "impossible to send data to device (sending timeout)");
    EXPECT_EQ(ErrorText(21, 1), "no answer from device (receiving timeout)");
    EXPECT_EQ(ErrorText(23, 1), "incorrect answer from device");
    EXPECT_EQ(ErrorText(62, 1), "impossible to initialize COM1 serial port");
    EXPECT_EQ(ErrorText(101, 1), "CRC error");
    EXPECT_EQ(ErrorText(102, 1), "data verification error");
    EXPECT_EQ(ErrorText(103, 1), "application flash memory clearing error");
    EXPECT_EQ(ErrorText(104, 1), "service switch is off");
    EXPECT_EQ(ErrorText(203, 1), "information about firmware file not initialized");
    EXPECT_EQ(ErrorText(204, 1), "serial port number not defined");
    EXPECT_EQ(ErrorText(205, 12), "COM12 serial port not initialized");
    EXPECT_EQ(ErrorText(206, 3), "incorrect device type on COM3 (program works only with KPX-2)");
    EXPECT_EQ(ErrorText(210, 1), "block number outside the firmware image");
    EXPECT_EQ(ErrorText(213, 1), "header file name too long");
    EXPECT_EQ(ErrorText(214, 1), "firmware image in the library is damaged");
    EXPECT_EQ(ErrorText(255, 1), "operation aborted by user");
    for (int code : {1, 46, 49, 50, 51, 105, 207, 208, 209, 254})
        EXPECT_EQ(ErrorText(static_cast<std::uint8_t>(code), 1), "unknown error") << code;
    EXPECT_EQ(ErrorText(206, 255).size(), 63u);  // the longest text
}

}  // namespace
}  // namespace kpx2
