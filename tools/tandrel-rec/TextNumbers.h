// Numbers written into messages, without printf: its C runtime version alone would be a fair
// part of tandrel-rec.exe; and the hex digits of the text form, both ways.
#pragma once
#include <cstdint>
#include <string>

// "0x00E8": value in upper-case hex after 0x, with at least digits digits.
std::string HexNumber(uint64_t value, int digits);
// "007": value (0 or more) in decimal with at least digits digits.
std::string PaddedNumber(int64_t value, int digits);

// Appends the byte as two upper-case hex digits: "0A".
void AppendHexByte(std::string& out, uint8_t byte);
// The value of a hex digit of either case; -1 for any other character.
int HexDigitValue(char c);
