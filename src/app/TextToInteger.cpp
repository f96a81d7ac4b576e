// The program's one rule for turning a text into a number.
#include "app/TextToInteger.h"

namespace {

int DigitValue(wchar_t c, unsigned base)
{
    int value = -1;
    if (c >= L'0' && c <= L'9')
        value = c - L'0';
    else if (c >= L'a' && c <= L'f')
        value = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F')
        value = c - L'A' + 10;
    return value >= 0 && static_cast<unsigned>(value) < base ? value : -1;
}

}  // namespace

int64_t TextToInteger(std::wstring_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) {
        negative = text[i] == L'-';
        ++i;
    }

    unsigned base = 10;
    if (i < text.size() && text[i] == L'$') {
        base = 16;
        ++i;
    } else if (i < text.size() && text[i] == L'%') {
        base = 2;
        ++i;
    }

    // Unsigned arithmetic wraps on overflow without undefined behaviour.
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        int digit = DigitValue(text[i], base);
        if (digit < 0) break;
        value = value * base + static_cast<uint64_t>(digit);
    }
    if (negative) value = 0 - value;
    return static_cast<int64_t>(value);
}
