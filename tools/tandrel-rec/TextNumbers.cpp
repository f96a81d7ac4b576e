// Zero-padded numbers in decimal and hex, and hex digits.
#include "TextNumbers.h"

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

}  // namespace

std::string HexNumber(uint64_t value, int digits)
{
    std::string hex;
    do {
        hex.insert(hex.begin(), HexDigits[value & 15]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(hex.size()) < digits) hex.insert(0, static_cast<size_t>(digits) - hex.size(), '0');
    return "0x" + hex;
}

std::string PaddedNumber(int64_t value, int digits)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits) text.insert(0, static_cast<size_t>(digits) - text.size(), '0');
    return text;
}

void AppendHexByte(std::string& out, uint8_t byte)
{
    out.push_back(HexDigits[byte >> 4]);
    out.push_back(HexDigits[byte & 15]);
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
