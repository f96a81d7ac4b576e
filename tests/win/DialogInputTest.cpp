// The input dialog, opened for real and answered from a timer inside its own loop: layout,
// keys, the caret, the owner and the guard around it.
#include <gtest/gtest.h>

#include "support/DialogDriver.h"
#include "support/ExpectedTexts.h"
#include "support/MainWindowFixture.h"
#include "support/WindowHelpers.h"
#include "ui/InputDialog.h"
#include "ui/MainWindow.h"

namespace {

class InputDialogTest : public ShownMainWindowTest {
protected:
    std::wstring Ask(DialogScript& script, const wchar_t* defaultText = L"")
    {
        script.kind = DialogKind::Input;
        RunWhenOpen(script);
        const std::wstring answer = InputDialog(expected::NamingTitle, expected::NamingPrompt, defaultText);
        EXPECT_TRUE(script.finished) << "the dialog closed before the script ended";
        EXPECT_EQ(FindOwnDialog(DialogKind::Input), nullptr);
        return answer;
    }
};

TEST_F(InputDialogTest, LayoutClassAndPlace)
{
    DialogScript script;
    script.steps = {[](HWND dialog) {
        EXPECT_EQ(TextOf(dialog), expected::NamingTitle);
        RECT r;
        GetWindowRect(dialog, &r);
        EXPECT_EQ(r.right - r.left, 300);
        EXPECT_EQ(r.bottom - r.top, 130);
        EXPECT_EQ(r.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 150);
        EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 65);
        const LONG style = GetWindowLongW(dialog, GWL_STYLE);
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        EXPECT_EQ(GetClassLongPtrW(dialog, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
        EXPECT_NE(GetClassLongPtrW(dialog, GCLP_HICON), 0u);  // the application icon

        struct Child {
            int id;
            const wchar_t* className;
            const wchar_t* text;
            RECT place;
        };
        const Child children[] = {{0, L"Static", expected::NamingPrompt, {10, 10, 280, 22}},
                                  {10, L"Edit", L"", {10, 32, 275, 21}},
                                  {1000, L"Button", expected::OkButtonText, {110, 67, 80, 25}}};
        const HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        for (const Child& c : children) {
            SCOPED_TRACE(c.id);
            const HWND child = GetDlgItem(dialog, c.id);
            ASSERT_NE(child, nullptr);
            EXPECT_EQ(BaseClassName(child), c.className);
            EXPECT_EQ(TextOf(child), c.text);
            RECT cr;
            GetWindowRect(child, &cr);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&cr), 2);
            EXPECT_EQ(cr.left, c.place.left);
            EXPECT_EQ(cr.top, c.place.top);
            EXPECT_EQ(cr.right - cr.left, c.place.right);
            EXPECT_EQ(cr.bottom - cr.top, c.place.bottom);
            EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), guiFont);
        }
        EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, 0), GWL_STYLE) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, 10), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(dialog, 10), GWL_STYLE) & ES_AUTOHSCROLL);
        EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, 1000), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
        EXPECT_EQ(GetFocus(), EntryField(dialog));
        PostKeyDown(EntryField(dialog), VK_ESCAPE);
    }};
    EXPECT_EQ(Ask(script), L"");
}

TEST_F(InputDialogTest, EnterReturnsWhatWasTyped)
{
    DialogScript script;
    script.steps = {[](HWND d) { PostText(d, L"Login 2"); }, [](HWND d) { PostKeyDown(EntryField(d), VK_RETURN); }};
    EXPECT_EQ(Ask(script), L"Login 2");
}

TEST_F(InputDialogTest, OkButtonReturnsTheDefaultTextLeftAsItWas)
{
    DialogScript script;
    script.steps = {[](HWND d) { SendMessageW(GetDlgItem(d, 1000), BM_CLICK, 0, 0); }};
    EXPECT_EQ(Ask(script, L"Tagesbericht"), L"Tagesbericht");
}

TEST_F(InputDialogTest, CaretStandsAfterTheDefaultTextSoTypingAppends)
{
    DialogScript script;
    script.steps = {[](HWND d) {
                        DWORD start = 0, end = 0;
                        SendMessageW(EntryField(d), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                     reinterpret_cast<LPARAM>(&end));
                        EXPECT_EQ(start, 12u);
                        EXPECT_EQ(end, 12u);
                        PostText(d, L" neu");
                    },
                    [](HWND d) { PostKeyDown(EntryField(d), VK_RETURN); }};
    EXPECT_EQ(Ask(script, L"Tagesbericht"), L"Tagesbericht neu");
}

TEST_F(InputDialogTest, EmptiedFieldConfirmsTheEmptyText)
{
    DialogScript script;
    script.steps = {[](HWND d) { SetWindowTextW(EntryField(d), L""); },
                    [](HWND d) { PostKeyDown(EntryField(d), VK_RETURN); }};
    EXPECT_EQ(Ask(script, L"Login"), L"");
}

TEST_F(InputDialogTest, LongTextScrollsAndComesBackWhole)
{
    const std::wstring longName(300, L'w');
    DialogScript script;
    script.steps = {[&](HWND d) { PostText(d, longName.c_str()); },
                    [](HWND d) { PostKeyDown(EntryField(d), VK_RETURN); }};
    EXPECT_EQ(Ask(script), longName);
}

TEST_F(InputDialogTest, EscapeCloseBoxSystemMenuAndAltF4CancelEvenWithADefault)
{
    const std::function<void(HWND)> cancels[] = {
        [](HWND d) { PostKeyDown(EntryField(d), VK_ESCAPE); },
        [](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); },
        [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); },
        [](HWND d) { PostMessageW(EntryField(d), WM_SYSKEYDOWN, VK_F4, 1 | (KF_ALTDOWN << 16)); },
    };
    for (const auto& cancel : cancels) {
        DialogScript script;
        script.steps = {[](HWND d) { PostText(d, L"x"); }, cancel};
        EXPECT_EQ(Ask(script, L"Login"), L"");
    }
}

TEST_F(InputDialogTest, TabNeitherMovesTheFocusNorCloses)
{
    DialogScript script;
    script.steps = {[](HWND d) { PostKeyDown(EntryField(d), VK_TAB); },
                    [](HWND d) {
                        EXPECT_EQ(GetFocus(), EntryField(d));
                        EXPECT_TRUE(IsWindowVisible(d));
                        PostText(d, L"a");
                    },
                    [](HWND d) { PostKeyDown(EntryField(d), VK_RETURN); }};
    EXPECT_EQ(Ask(script), L"a");
}

TEST_F(InputDialogTest, OwnerIsDisabledAndNotOnTopWhileOpen)
{
    ASSERT_TRUE(IsTopmost(gMainWindow));
    DialogScript script;
    script.steps = {[](HWND d) {
        EXPECT_EQ(GetWindow(d, GW_OWNER), gMainWindow);
        EXPECT_FALSE(IsWindowEnabled(gMainWindow));
        EXPECT_FALSE(IsTopmost(gMainWindow));
        EXPECT_TRUE(IsWindowEnabled(d));
        PostKeyDown(EntryField(d), VK_RETURN);
    }};
    Ask(script);
    EXPECT_TRUE(IsWindowEnabled(gMainWindow));
    EXPECT_TRUE(IsTopmost(gMainWindow));
}

TEST_F(InputDialogTest, OtherWindowsOfTheThreadAreGuardedAndADisabledOneStaysDisabled)
{
    const HWND other = OpenPlainWindow(L"other", 50);
    const HWND disabled = OpenPlainWindow(L"disabled", 300);
    EnableWindow(disabled, FALSE);
    ASSERT_TRUE(BringToForeground(gMainWindow));
    DialogScript script;
    script.steps = {[&](HWND d) {
        EXPECT_FALSE(IsWindowEnabled(other));
        EXPECT_FALSE(IsWindowEnabled(disabled));
        PostKeyDown(EntryField(d), VK_ESCAPE);
    }};
    Ask(script);
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_FALSE(IsWindowEnabled(disabled));
    EXPECT_TRUE(IsWindowEnabled(gMainWindow));
    DestroyWindow(other);
    DestroyWindow(disabled);
}

bool ForegroundIsOurs()
{
    DWORD process = 0;
    const HWND foreground = GetForegroundWindow();
    if (foreground != nullptr) GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId();
}

TEST_F(InputDialogTest, NoOwnerWhenTheForegroundIsNotTheProgramsAndAHiddenWindowIsLeftAlone)
{
    HideMainWindow();
    ASSERT_TRUE(PumpUntil([] { return !ForegroundIsOurs(); })) << "a window of the test is still in front";
    DialogScript script;
    script.steps = {[](HWND d) {
        EXPECT_EQ(GetWindow(d, GW_OWNER), nullptr);
        // The hidden main window is neither disabled nor taken off the top.
        EXPECT_TRUE(IsWindowEnabled(gMainWindow));
        EXPECT_TRUE(IsTopmost(gMainWindow));
        PostKeyDown(EntryField(d), VK_ESCAPE);
    }};
    Ask(script);
    EXPECT_TRUE(IsTopmost(gMainWindow));
    EXPECT_TRUE(IsWindowEnabled(gMainWindow));
}

// Any program can post WM_QUIT to the main thread by its id: the dialog goes on and keeps the name.
TEST_F(InputDialogTest, QuitMessageFromOutsideIsIgnored)
{
    DialogScript script;
    script.steps = {[](HWND d) {
        PostText(d, L"abc");
        PostThreadMessageW(GetCurrentThreadId(), WM_QUIT, 7, 0);
        PostKeyDown(EntryField(d), VK_RETURN);
    }};
    EXPECT_EQ(Ask(script), L"abc");
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

void CALLBACK AnswerInnerDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND inner = FindOwnWindow(L"InputRequester", L"inner");
    if (inner == nullptr) return;
    KillTimer(nullptr, timer);
    PostText(inner, L"b");
    PostKeyDown(EntryField(inner), VK_RETURN);
}

// A dialog opened while another waits (from a window callback, say) has its own state: its
// end does not end the outer one, nor enable what the outer one disabled.
TEST_F(InputDialogTest, NestedDialogLeavesTheOuterOneOpenAndGuarded)
{
    DialogScript script;
    script.steps = {[](HWND outer) { PostText(outer, L"a"); },
                    [](HWND outer) {
                        SetTimer(nullptr, 0, 100, AnswerInnerDialog);
                        EXPECT_EQ(InputDialog(L"inner", L"inner prompt", nullptr), L"b");
                        EXPECT_TRUE(IsWindow(outer));
                        EXPECT_TRUE(IsWindowEnabled(outer));
                        EXPECT_FALSE(IsWindowEnabled(gMainWindow));
                        EXPECT_FALSE(IsTopmost(gMainWindow));
                        PostKeyDown(EntryField(outer), VK_RETURN);
                    }};
    EXPECT_EQ(Ask(script), L"a");
    EXPECT_TRUE(IsWindowEnabled(gMainWindow));
    EXPECT_TRUE(IsTopmost(gMainWindow));
}

TEST_F(InputDialogTest, CanBeOpenedAgainAfterwards)
{
    for (const wchar_t* name : {L"eins", L"zwei"}) {
        DialogScript script;
        script.steps = {[name](HWND d) { PostText(d, name); }, [](HWND d) { PostKeyDown(EntryField(d), VK_RETURN); }};
        EXPECT_EQ(Ask(script), name);
    }
}

}  // namespace
