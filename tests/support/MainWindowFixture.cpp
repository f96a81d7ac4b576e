// The shown main window of the user-interface tests; see MainWindowFixture.h.
#include "support/MainWindowFixture.h"

#include <windows.h>

#include "support/WindowHelpers.h"
#include "ui/MainWindow.h"

void ShownMainWindowTest::SetUp()
{
    ASSERT_NE(OpenMainWindow(true), nullptr);
    ASSERT_TRUE(BringToForeground(gMainWindow));
}

void ShownMainWindowTest::TearDown()
{
    InstallMainWindowCallback(nullptr);
    DestroyMainWindow();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}
