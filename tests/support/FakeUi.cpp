// Scripted dialogs and recordings list; see FakeUi.h.
#include "support/FakeUi.h"

#include <gtest/gtest.h>

#include "core/ActivityState.h"
#include "support/ExpectedTexts.h"
#include "ui/InputDialog.h"
#include "ui/MessageDialog.h"
#include "ui/ModalGuard.h"
#include "ui/MainWindow.h"

namespace {

std::wstring OrEmpty(const wchar_t* text)
{
    return text ? std::wstring(text) : std::wstring();
}

}  // namespace

std::vector<DialogCall> gDialogCalls;
std::deque<std::wstring> gInputAnswers;
std::deque<int> gMessageAnswers;
std::function<void()> gWhileDialogOpen;
std::vector<std::wstring> gListEntries;
int gListClearCount = 0;
std::wstring gSelectedName;

void ResetFakeUi()
{
    gDialogCalls.clear();
    gInputAnswers.clear();
    gMessageAnswers.clear();
    gWhileDialogOpen = nullptr;
    gListEntries.clear();
    gListClearCount = 0;
    gSelectedName.clear();
}

void ExpectEveryAnswerTaken()
{
    EXPECT_TRUE(gInputAnswers.empty()) << "answers left over";
    EXPECT_TRUE(gMessageAnswers.empty()) << "answers left over";
}

void ExpectInputCall(size_t index, const std::wstring& title, const std::wstring& prompt,
                     const std::wstring& defaultText)
{
    ASSERT_LT(index, gDialogCalls.size());
    const DialogCall& call = gDialogCalls[index];
    EXPECT_TRUE(call.isInput) << index;
    EXPECT_EQ(call.title, title);
    EXPECT_EQ(call.text, prompt);
    EXPECT_EQ(call.defaultText, defaultText) << index;
}

void ExpectMessageCall(size_t index, const std::wstring& text, unsigned style)
{
    ASSERT_LT(index, gDialogCalls.size());
    const DialogCall& call = gDialogCalls[index];
    EXPECT_FALSE(call.isInput) << index;
    EXPECT_EQ(call.title, expected::MessageTitle);
    EXPECT_EQ(call.text, text) << index;
    EXPECT_EQ(call.style, style) << index;
}

std::wstring InputDialog(const wchar_t* title, const wchar_t* prompt, const wchar_t* defaultText)
{
    gDialogCalls.push_back({true, OrEmpty(title), OrEmpty(prompt), OrEmpty(defaultText), 0, gActivityState.load()});
    if (gWhileDialogOpen) gWhileDialogOpen();
    if (gInputAnswers.empty()) {
        ADD_FAILURE() << "unexpected InputDialog";
        return L"";
    }
    std::wstring answer = gInputAnswers.front();
    gInputAnswers.pop_front();
    return answer;
}

int MessageDialog(const wchar_t* title, const wchar_t* text, unsigned style)
{
    gDialogCalls.push_back({false, OrEmpty(title), OrEmpty(text), L"", style, gActivityState.load()});
    if (gWhileDialogOpen) gWhileDialogOpen();
    if ((style & 0xF) != 4) return 1;  // only MB_YESNO boxes are answered from the queue; the rest say OK
    if (gMessageAnswers.empty()) {
        ADD_FAILURE() << "unexpected MessageDialog";
        return 6;
    }
    int answer = gMessageAnswers.front();
    gMessageAnswers.pop_front();
    return answer;
}

void BeginModal()
{}
void EndModal()
{}

std::wstring SelectedRecordingName()
{
    return gSelectedName;
}

void ClearRecordingsList()
{
    ++gListClearCount;
    gListEntries.clear();
}

void AppendRecordingsListEntry(const std::wstring& text)
{
    gListEntries.push_back(text);
}
