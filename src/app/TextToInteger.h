// The one rule by which a text becomes a number (command-line values, the repeat count).
#pragma once
#include <cstdint>
#include <string_view>

// Skips leading spaces and tabs, takes an optional sign, then "$" hexadecimal, "%" binary or
// decimal digits up to the first non-digit. Accumulates in 64 bits, wrapping on overflow.
// A text without digits gives 0. Callers that keep 32 bits take the low 32 bits.
int64_t TextToInteger(std::wstring_view text);
