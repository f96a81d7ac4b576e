// STUB: replaced by the user-interface work.
#include "ui/Dialogs.h"
#include <windows.h>
std::wstring InputDialog(const wchar_t*, const wchar_t*, const wchar_t*) { return L""; }
int MessageDialog(const wchar_t* title, const wchar_t* text, unsigned style) {
    return MessageBoxW(nullptr, text, title, style);
}
void BeginModal() {}
void EndModal() {}
