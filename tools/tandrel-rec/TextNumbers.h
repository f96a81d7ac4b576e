// Numbers written into messages, without printf: its C runtime version alone would be a fair
// part of tandrel-rec.exe.
#pragma once
#include <cstdint>
#include <string>

// "0x00E8": value in upper-case hex after 0x, with at least digits digits.
std::string HexNumber(uint64_t value, int digits);
// "007": value (0 or more) in decimal with at least digits digits.
std::string PaddedNumber(int64_t value, int digits);
