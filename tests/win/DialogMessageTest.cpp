// MessageDialog and the modal guard: the boxes with their texts, icons and buttons, answered
// from a timer; the main window disabled and not on top while a box is open; nested guards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/DialogDriver.h"
#include "support/ExpectedTexts.h"
#include "support/MainWindowFixture.h"
#include "support/WindowHelpers.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "ui/ModalGuard.h"

namespace {

BOOL CALLBACK CollectStatic(HWND child, LPARAM p)
{
    if (BaseClassName(child) == L"Static") reinterpret_cast<std::vector<HWND>*>(p)->push_back(child);
    return TRUE;
}

std::vector<HWND> Statics(HWND box)
{
    std::vector<HWND> found;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The icon the box shows.
HICON BoxIcon(HWND box)
{
    for (HWND s : Statics(box))
        if ((GetWindowLongW(s, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return reinterpret_cast<HICON>(SendMessageW(s, STM_GETICON, 0, 0));
    return nullptr;
}

bool HasButton(HWND box, int id)
{
    const HWND button = GetDlgItem(box, id);
    return button != nullptr && IsWindowVisible(button);
}

class MessageDialogTest : public ShownMainWindowTest {
protected:
    int Show(DialogScript& script, const wchar_t* text, unsigned style)
    {
        script.kind = DialogKind::Box;
        RunWhenOpen(script);
        const int answer = MessageDialog(expected::MessageTitle, text, style);
        EXPECT_TRUE(script.finished);
        return answer;
    }
};

TEST_F(MessageDialogTest, QuestionShowsItsTextYesAndNoAndReturnsTheAnswer)
{
    const wchar_t* question = expected::RemoveQuestion;
    for (int answer : {IDYES, IDNO}) {
        DialogScript script;
        script.steps = {[&](HWND box) {
            EXPECT_EQ(BoxText(box), question);
            EXPECT_TRUE(HasButton(box, IDYES));
            EXPECT_TRUE(HasButton(box, IDNO));
            EXPECT_FALSE(HasButton(box, IDOK));
            EXPECT_EQ(BoxIcon(box), LoadIconW(nullptr, IDI_QUESTION));
            PostButtonClick(box, answer);
        }};
        EXPECT_EQ(Show(script, question, StyleQuestion), answer);
    }
}

TEST_F(MessageDialogTest, TwoLineQuestionKeepsItsLineBreaks)
{
    const wchar_t* question = expected::OverwriteQuestion;
    DialogScript script;
    script.steps = {[&](HWND box) {
        EXPECT_EQ(BoxText(box), question);
        PostButtonClick(box, IDNO);
    }};
    EXPECT_EQ(Show(script, question, StyleQuestion), AnswerNo);
}

TEST_F(MessageDialogTest, WarningAndErrorHaveOneOkButtonAndTheirIcons)
{
    struct Case {
        const wchar_t* text;
        unsigned style;
        const wchar_t* icon;
    };
    const Case cases[] = {{expected::InvalidNameWarning, StyleWarning, IDI_WARNING},
                          {expected::PlaybackFileMissingError, StyleError, IDI_ERROR}};
    for (const Case& c : cases) {
        DialogScript script;
        script.steps = {[&](HWND box) {
            EXPECT_EQ(BoxText(box), c.text);
            EXPECT_TRUE(HasButton(box, IDOK));
            EXPECT_FALSE(HasButton(box, IDYES));
            EXPECT_EQ(BoxIcon(box), LoadIconW(nullptr, c.icon));
            PostButtonClick(box, IDOK);
        }};
        EXPECT_EQ(Show(script, c.text, c.style), IDOK);
    }
}

TEST_F(MessageDialogTest, MainWindowIsDisabledAndNotOnTopWhileTheBoxIsOpen)
{
    const HWND other = OpenPlainWindow(L"other", 50);
    ASSERT_TRUE(BringToForeground(gMainWindow));
    DialogScript script;
    script.steps = {[&](HWND box) {
        EXPECT_EQ(GetWindow(box, GW_OWNER), gMainWindow);
        EXPECT_FALSE(IsWindowEnabled(gMainWindow));
        EXPECT_FALSE(IsTopmost(gMainWindow));
        EXPECT_FALSE(IsWindowEnabled(other));
        PostButtonClick(box, IDOK);
    }};
    Show(script, expected::PlaybackFileMissingError, StyleError);
    EXPECT_TRUE(IsWindowEnabled(gMainWindow));
    EXPECT_TRUE(IsTopmost(gMainWindow));
    EXPECT_TRUE(IsWindowEnabled(other));
    DestroyWindow(other);
}

DWORD WINAPI ShowBoxOnWorker(void* answer)
{
    *static_cast<int*>(answer) = MessageDialog(expected::MessageTitle, expected::PlaybackFailedError, StyleError);
    return 0;
}

// A thread with no windows (the playback worker) shows its box unguarded, owned by the
// program's foreground window; the main thread's windows are left alone.
TEST_F(MessageDialogTest, BoxOnAnotherThreadLeavesTheMainThreadsWindowsAlone)
{
    int answer = 0;
    const HANDLE worker = CreateThread(nullptr, 0, ShowBoxOnWorker, &answer, 0, nullptr);
    ASSERT_NE(worker, nullptr);
    HWND box = nullptr;
    EXPECT_TRUE(PumpUntil([&] {
        box = FindWindowW(L"#32770", expected::MessageTitle);
        return box != nullptr;
    }));
    if (box != nullptr) {
        EXPECT_TRUE(IsTopmost(gMainWindow));
        EXPECT_EQ(BoxText(box), expected::PlaybackFailedError);
        PostButtonClick(box, IDOK);
    }
    EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(worker, 0) == WAIT_OBJECT_0; }));
    CloseHandle(worker);
    EXPECT_EQ(answer, IDOK);
    EXPECT_TRUE(IsWindowEnabled(gMainWindow));
    EXPECT_TRUE(IsTopmost(gMainWindow));
}

TEST_F(MessageDialogTest, NestedGuardsGiveBackOnlyTheirOwnWindows)
{
    const HWND other = OpenPlainWindow(L"other", 50);
    SetWindowPos(other, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(BringToForeground(gMainWindow));
    BeginModal();
    EXPECT_FALSE(IsWindowEnabled(other));
    EXPECT_FALSE(IsTopmost(other));
    EXPECT_FALSE(IsTopmost(gMainWindow));
    EXPECT_TRUE(IsWindowEnabled(gMainWindow));  // the foreground window: a dialog will own it
    BeginModal();
    EndModal();
    // The inner guard found both already changed; the outer one still holds them.
    EXPECT_FALSE(IsWindowEnabled(other));
    EXPECT_FALSE(IsTopmost(other));
    EXPECT_FALSE(IsTopmost(gMainWindow));
    EndModal();
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_TRUE(IsTopmost(other));
    EXPECT_TRUE(IsTopmost(gMainWindow));
    EndModal();  // one too many changes nothing
    EXPECT_TRUE(IsWindowEnabled(other));
    DestroyWindow(other);
}

TEST_F(MessageDialogTest, HiddenWindowsAreNotGuarded)
{
    HideMainWindow();
    BeginModal();
    EXPECT_TRUE(IsWindowEnabled(gMainWindow));
    EXPECT_TRUE(IsTopmost(gMainWindow));
    EndModal();
    EXPECT_TRUE(IsTopmost(gMainWindow));
}

}  // namespace
