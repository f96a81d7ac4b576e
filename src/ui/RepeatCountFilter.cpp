// RepeatCountFilter: what may be typed into the Repeat count field (see RepeatCountFilter.h).
#include "ui/RepeatCountFilter.h"

#include "ui/WindowText.h"

#include <string>

namespace {

// Written by PlaceRepeatCountFilter when the main window is opened (main thread); read by the
// filter for every message of the field.
WNDPROC gFieldPreviousProc = nullptr;

bool FieldHasComma(HWND field)
{
    return WindowText(field).find(L',') != std::wstring::npos;
}

bool CharacterPasses(HWND field, WPARAM code)
{
    if (code == L',') return !FieldHasComma(field);
    return (code >= L'0' && code <= L'9') || code == L'\b';
}

}  // namespace

void PlaceRepeatCountFilter(HWND field)
{
    gFieldPreviousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RepeatCountFilter)));
}

LRESULT CALLBACK RepeatCountFilter(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CHAR && !CharacterPasses(field, wParam)) return 0;
    return CallWindowProcW(gFieldPreviousProc, field, message, wParam, lParam);
}
