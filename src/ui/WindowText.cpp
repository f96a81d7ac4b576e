// WindowText: the text of a window, its length asked first so that nothing is cut.
#include "ui/WindowText.h"

std::wstring WindowText(HWND window)
{
    // The length plus the terminator.
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}
