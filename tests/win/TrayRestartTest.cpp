// The shell's restart: the program's main window hears "TaskbarCreated" (sent to it, and
// broadcast while it is hidden), and the tray icon is added again with the image it showed
// and its tooltip. The real main window, window callback and tray operations; the shell call
// is replaced by one that writes down what reaches it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/MainWindowCallback.h"
#include "app/Startup.h"
#include "core/Messages.h"
#include "support/ExpectedTexts.h"
#include "ui/IconData.h"
#include "ui/IconFromMemory.h"
#include "ui/MainWindow.h"
#include "ui/Tray.h"

namespace {

std::vector<std::string> gShellLog;

std::string IconName(HICON icon)
{
    return icon == gIdleIcon ? "idle" : icon == gActiveIcon ? "active" : "other";
}

BOOL WINAPI FakeShell(DWORD request, PNOTIFYICONDATAW record)
{
    std::string line = request == NIM_ADD ? "add" : request == NIM_MODIFY ? "modify" : "delete";
    line += " " + std::to_string(record->uID) + (record->hWnd == gMainWindow ? "" : " other window");
    if (record->uFlags & NIF_ICON) line += " " + IconName(record->hIcon);
    if (record->uFlags & NIF_MESSAGE) line += record->uCallbackMessage == TrayCallbackMessage ? " messages" : " other";
    if (record->uFlags & NIF_TIP) {
        line += std::wstring(record->szTip) == expected::MessageTitle ? " tip" : " other tip";
    }
    gShellLog.push_back(line);
    return TRUE;
}

using Log = std::vector<std::string>;

}  // namespace

TEST(TrayRestart, TheIconComesBackWithItsImageAndTooltip)
{
    SetTrayShellForTest(FakeShell);
    gIdleIcon = LoadIconFromMemory(IdleIconData);
    gActiveIcon = LoadIconFromMemory(ActiveIconData);
    ASSERT_NE(nullptr, OpenMainWindow(false));
    InstallMainWindowCallback(MainWindowCallback);
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    ASSERT_NE(0u, taskbarCreated);

    // As start-up adds it, and as a recording or a playback shows it.
    ASSERT_TRUE(AddTrayIcon(TrayIconId, gMainWindow, gIdleIcon));
    ASSERT_TRUE(SetTrayToolTip(TrayIconId, expected::MessageTitle));
    ASSERT_TRUE(ChangeTrayIcon(TrayIconId, gActiveIcon));
    gShellLog.clear();
    SendMessageW(gMainWindow, taskbarCreated, 0, 0);
    EXPECT_EQ((Log{"add 0 active messages", "modify 0 tip"}), gShellLog);

    // Back to Idle; the shell broadcasts its message, which reaches the hidden window too.
    ASSERT_TRUE(ChangeTrayIcon(TrayIconId, gIdleIcon));
    gShellLog.clear();
    PostMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
    const DWORD start = GetTickCount();
    while (gShellLog.empty() && GetTickCount() - start < 10000) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    EXPECT_EQ((Log{"add 0 idle messages", "modify 0 tip"}), gShellLog);

    // Other messages add nothing; nor does the shell's message once the icon is removed.
    RemoveAllTrayIcons();
    gShellLog.clear();
    SendMessageW(gMainWindow, WM_NULL, 0, 0);
    SendMessageW(gMainWindow, taskbarCreated, 0, 0);
    EXPECT_EQ(Log{}, gShellLog);

    DestroyMainWindow();
    DestroyIcon(gIdleIcon);
    DestroyIcon(gActiveIcon);
}
