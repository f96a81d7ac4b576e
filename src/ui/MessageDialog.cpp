// MessageDialog: the system message box, owned by the program's foreground window, under the
// modal guard.
#include "ui/MessageDialog.h"
#include "ui/ModalGuard.h"

#include <windows.h>

int MessageDialog(const wchar_t* title, const wchar_t* text, unsigned style)
{
    BeginModal();
    const int answer = MessageBoxW(DialogOwner(), text, title, style);
    EndModal();
    return answer;
}
