#include "device/protocol/controller_identity.h"

#include <gtest/gtest.h>

#include "device/protocol/command_protocol.h"

namespace orvel {
namespace {

TEST(ControllerIdentity, VersionNumberAndShownText)
{
    EXPECT_EQ(FirmwareVersionOf("KPX2-3"), 30);
    EXPECT_EQ(FirmwareVersionOf("KPX2-0"), 0);
    EXPECT_EQ(ShownIdentity("KPX2-0"), "KPX2-x");
    EXPECT_EQ(ShownIdentity("KPX2-3"), "KPX2-3");
    EXPECT_EQ(FirmwareVersionOf("KP3-12"), 12);
    EXPECT_EQ(ShownIdentity("KP3-12"), "KPX3-12");
    EXPECT_EQ(FirmwareVersionOf("KP3-10"), 10);
}

TEST(ControllerIdentity, VersionPositionsThatAreNotDigitsGiveNoVersion)
{
    EXPECT_FALSE(FirmwareVersionOf("KPX2-a"));
    EXPECT_FALSE(FirmwareVersionOf("KP3-x2"));  // the short form's tens are checked too
    EXPECT_FALSE(FirmwareVersionOf("KP3-1"));   // not six characters
    EXPECT_FALSE(FirmwareVersionOf(""));
}

TEST(ControllerChecksum, IsFiftyFiveXorTheData)
{
    EXPECT_EQ(BlockChecksum(Block{}), 0x55);
    EXPECT_EQ(BlockChecksum(Block{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x00}), 0xD5);
}

TEST(ControllerErrorTexts, TableAndNumberedRest)
{
    EXPECT_EQ(ReplyCodeText(20), "020: transmission error");
    EXPECT_EQ(ReplyCodeText(21), "021: transmission error");
    EXPECT_EQ(ReplyCodeText(0), "0 error");
    EXPECT_EQ(ReplyCodeText(255), "255 error");
}

}  // namespace
}  // namespace orvel
