// Wah-pad bank functions: one flag per bank, true shown as "Add", false as "Pr9", kept on
// the controller in block 252 (byte 0 bit d = bank digit d for 0 to 7, byte 1 bits 0 and
// 1 = bank digits 8 and 9; a set bit is true).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace orvel {

// Indexed by bank digit; index 0 is the bank the grid shows last.
using BankFunctions = std::array<bool, 10>;

// The controller block with the ten flags.
using BankFunctionBlock = std::array<std::uint8_t, 8>;

// All flags true: the state at start and of a file without bank functions.
BankFunctions DefaultBankFunctions();

// The whole block as written after all presets: the ten bits, every other bit 0.
BankFunctionBlock EncodeBankFunctions(const BankFunctions& functions);

// All ten flags of a block read from the controller; other bits are ignored.
BankFunctions DecodeBankFunctions(const BankFunctionBlock& block);

// One bank's bit, for reading a single bank. A digit outside 0 to 9 reads as false.
bool BankFunctionBit(const BankFunctionBlock& block, int bank_digit);

// Changes only one bank's bit, for writing a single bank into a block read before.
// A digit outside 0 to 9 changes nothing.
void SetBankFunctionBit(BankFunctionBlock& block, int bank_digit, bool on);

// "Add" for true, "Pr9" for false.
std::string_view BankFunctionCaption(bool on);

}  // namespace orvel
