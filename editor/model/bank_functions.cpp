#include "model/bank_functions.h"

#include "model/model_constants.h"

namespace orvel {

namespace {

bool IsBankDigit(int bank_digit)
{
    return bank_digit >= 0 && bank_digit < kBankCount;
}

// Bank digits 0-7 sit in byte 0, 8 and 9 in byte 1.
int ByteOf(int bank_digit)
{
    return bank_digit / 8;
}

std::uint8_t MaskOf(int bank_digit)
{
    return static_cast<std::uint8_t>(1u << (bank_digit % 8));
}

}  // namespace

BankFunctions DefaultBankFunctions()
{
    BankFunctions functions{};
    functions.fill(true);
    return functions;
}

BankFunctionBlock EncodeBankFunctions(const BankFunctions& functions)
{
    BankFunctionBlock block{};
    for (int digit = 0; digit < kBankCount; ++digit) SetBankFunctionBit(block, digit, functions[digit]);
    return block;
}

BankFunctions DecodeBankFunctions(const BankFunctionBlock& block)
{
    BankFunctions functions{};
    for (int digit = 0; digit < kBankCount; ++digit) functions[digit] = BankFunctionBit(block, digit);
    return functions;
}

bool BankFunctionBit(const BankFunctionBlock& block, int bank_digit)
{
    if (!IsBankDigit(bank_digit)) return false;
    return (block[ByteOf(bank_digit)] & MaskOf(bank_digit)) != 0;
}

void SetBankFunctionBit(BankFunctionBlock& block, int bank_digit, bool on)
{
    if (!IsBankDigit(bank_digit)) return;
    std::uint8_t& byte = block[ByteOf(bank_digit)];
    byte = on ? static_cast<std::uint8_t>(byte | MaskOf(bank_digit))
              : static_cast<std::uint8_t>(byte & ~MaskOf(bank_digit));
}

std::string_view BankFunctionCaption(bool on)
{
    return on ? kBankFunctionOnCaption : kBankFunctionOffCaption;
}

}  // namespace orvel
