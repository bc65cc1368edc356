#include "model/bank_functions.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

BankFunctions OnlyBank(int digit)
{
    BankFunctions functions{};
    functions[digit] = true;
    return functions;
}

TEST(BankFunctions, BitPositions)
{
    EXPECT_EQ(EncodeBankFunctions(OnlyBank(0)), (BankFunctionBlock{0x01, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(EncodeBankFunctions(OnlyBank(7)), (BankFunctionBlock{0x80, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(EncodeBankFunctions(OnlyBank(8)), (BankFunctionBlock{0, 0x01, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(EncodeBankFunctions(OnlyBank(9)), (BankFunctionBlock{0, 0x02, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(EncodeBankFunctions(DefaultBankFunctions()), (BankFunctionBlock{0xFF, 0x03, 0, 0, 0, 0, 0, 0}));
}

TEST(BankFunctions, RoundTripAndStrayBitsIgnored)
{
    BankFunctions functions = DefaultBankFunctions();
    functions[0] = functions[3] = functions[9] = false;
    EXPECT_EQ(DecodeBankFunctions(EncodeBankFunctions(functions)), functions);

    const BankFunctionBlock noisy = {0x00, 0xFC, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(DecodeBankFunctions(noisy), BankFunctions{});
}

TEST(BankFunctions, OneBankReadModifyWriteLeavesTheRestOfTheBlock)
{
    BankFunctionBlock block = {0xA5, 0xFE, 0x12, 0, 0, 0, 0, 0x34};
    EXPECT_TRUE(BankFunctionBit(block, 0));
    EXPECT_FALSE(BankFunctionBit(block, 8));
    EXPECT_TRUE(BankFunctionBit(block, 9));

    SetBankFunctionBit(block, 8, true);
    SetBankFunctionBit(block, 0, false);
    EXPECT_EQ(block, (BankFunctionBlock{0xA4, 0xFF, 0x12, 0, 0, 0, 0, 0x34}));

    SetBankFunctionBit(block, 10, false);  // no such bank
    SetBankFunctionBit(block, -1, false);
    EXPECT_EQ(block, (BankFunctionBlock{0xA4, 0xFF, 0x12, 0, 0, 0, 0, 0x34}));
    EXPECT_FALSE(BankFunctionBit(block, 10));
}

}  // namespace
}  // namespace orvel
