// Zero-padded numbers in decimal and hex.
#include "TextNumbers.h"

std::string HexNumber(uint64_t value, int digits)
{
    std::string hex;
    do {
        hex.insert(hex.begin(), "0123456789ABCDEF"[value & 15]);
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
