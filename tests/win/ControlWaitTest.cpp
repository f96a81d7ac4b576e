// The worker's wait for a press's control, with the real worker, the real checks of the system
// (input desktop, integrity level, an answer of the window, the control, the focus) and a form
// of the test's own on a thread of its own, and fake injection and timing (the fake clock moves
// only when playback waits): a click waits until its button is there and enabled and goes to
// where the button stands now, also when it was made anew since it was last clicked; a key waits
// until its field has the focus; a button that never gets enabled stops the playback with its
// message after the held keys are released.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/WindowIdentityRead.h"
#include "playback/Injection.h"
#include "playback/PlaybackWorker.h"
#include "recording/ControlRecords.h"
#include "recording/WindowRecords.h"
#include "support/DialogDriver.h"
#include "support/ExpectedTexts.h"
#include "support/PlaybackFakes.h"
#include "support/PlaybackStart.h"
#include "support/TempWorkingFolder.h"

namespace {

constexpr DWORD DeadlineMs = 30000;
constexpr wchar_t FormClass[] = L"TandrelControlForm";
// What the form's thread is asked to do, posted to the form.
constexpr UINT MakeButton = WM_APP + 1;  // "OK", identifier 1, disabled, at 200, 150 in the client area
constexpr UINT EnableButton = WM_APP + 2;
constexpr UINT MakeField = WM_APP + 3;  // an edit, identifier 2, at 20, 40
constexpr UINT FocusField = WM_APP + 4;
constexpr UINT RemakeButton = WM_APP + 5;  // the button destroyed and made anew, enabled, at 100, 60
constexpr int ButtonId = 1;
constexpr int FieldId = 2;

// The form and its thread, which answers messages as an application does.
struct Form {
    HANDLE thread;
    HANDLE ready;
    HWND window;
    HWND button;
    HWND field;
};
Form gForm{};

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    switch (message) {
    case MakeButton:
        gForm.button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_DISABLED, 200, 150, 80, 24,
                                       window, reinterpret_cast<HMENU>(ButtonId), instance, nullptr);
        return 0;
    case EnableButton: EnableWindow(gForm.button, TRUE); return 0;
    case MakeField:
        gForm.field = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 20, 40, 150, 22, window,
                                      reinterpret_cast<HMENU>(FieldId), instance, nullptr);
        return 0;
    case FocusField: SetFocus(gForm.field); return 0;
    case RemakeButton:
        DestroyWindow(gForm.button);
        gForm.button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE, 100, 60, 80, 24, window,
                                       reinterpret_cast<HMENU>(ButtonId), instance, nullptr);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

DWORD WINAPI FormThread(LPVOID)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FormProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = FormClass;
    RegisterClassW(&wc);
    gForm.window = CreateWindowExW(0, FormClass, FormClass, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300, nullptr,
                                   nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(gForm.window);
    SetEvent(gForm.ready);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

void Append(std::vector<InputRecord>& records, const InputRecord* group, uint32_t count)
{
    records.insert(records.end(), group, group + count);
}

void AppendWindow(std::vector<InputRecord>& records)
{
    WindowIdentity identity{};
    ReadWindowProgram(gForm.window, identity);
    WindowTextToUtf8(FormClass, identity.windowClass, static_cast<int>(WindowClassBytes));
    RECT r;
    GetWindowRect(gForm.window, &r);
    identity.left = r.left;
    identity.top = r.top;
    identity.width = r.right - r.left;
    identity.height = r.bottom - r.top;
    InputRecord group[MaxWindowRecords];
    Append(records, group, EncodeWindowRecords(identity, group));
}

// A control as recorded: `left`, `top` relative to the form's top left.
void AppendControl(std::vector<InputRecord>& records, const char* controlClass, int32_t id, int32_t left, int32_t top,
                   int32_t width, int32_t height)
{
    ControlIdentity control{};
    std::strncpy(control.controlClass, controlClass, WindowClassBytes - 1);
    control.id = id;
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    control.dpi = 96;
    InputRecord group[MaxControlRecords];
    Append(records, group, EncodeControlRecords(control, group));
}

double TimeOf(const std::string& what)
{
    for (const std::string& line : gFakeLog) {
        const size_t space = line.find(' ');
        if (line.substr(space + 1) == what) return std::atof(line.substr(0, space).c_str());
    }
    return -1;
}

template <typename Condition>
bool WaitUntil(Condition condition)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < DeadlineMs) {
        if (condition()) return true;
        Sleep(10);
    }
    return false;
}

// Posts `command` to the form when the worker's wait has polled `polls` times.
void AtPoll(int polls, UINT command)
{
    gOnFakeEvent = [polls, command, count = 0](const std::string& what) mutable {
        if (what == "wait 10" && ++count == polls) SendMessageW(gForm.window, command, 0, 0);
    };
}

using Lines = std::vector<std::string>;

class ControlWaitTest : public ::testing::Test {
protected:
    std::vector<InputRecord> records;

    void SetUp() override
    {
        EnterFreshWorkingFolder();
        gForm = {};
        gForm.ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        gForm.thread = CreateThread(nullptr, 0, FormThread, nullptr, 0, nullptr);
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(gForm.ready, DeadlineMs));
        ASSERT_NE(nullptr, gForm.window);
        AppendWindow(records);
        ResetForPlayback();
    }

    void TearDown() override
    {
        CloseWorkerThreadHandles();
        PostMessageW(gForm.window, WM_CLOSE, 0, 0);
        WaitForSingleObject(gForm.thread, DeadlineMs);
        CloseHandle(gForm.thread);
        CloseHandle(gForm.ready);
        LeaveWorkingFolder();
    }

    void Play()
    {
        gPlaybackPath = WriteRecordingFile(L"Controls.rec", records);
        ASSERT_TRUE(StartPlaybackWorker(nullptr));
    }

    // Where a click at (dx, dy) on the button lands now, as the fake injection writes it.
    static std::string OnButton(int dx, int dy)
    {
        RECT r;
        GetWindowRect(gForm.button, &r);
        return "move " + std::to_string(r.left + dx) + "," + std::to_string(r.top + dy);
    }
};

}  // namespace

TEST_F(ControlWaitTest, AClickWaitsForItsButtonToBeEnabledAndGoesWhereTheButtonStandsNow)
{
    // Recorded: the button stood 20, 30 into the form; the click 5, 6 into the button.
    RECT form;
    GetWindowRect(gForm.window, &form);
    records.push_back(InputRecord{Move, 0, 0, 5, form.left + 25, form.top + 36});
    AppendControl(records, "Button", ButtonId, 20, 30, 80, 24);
    records.push_back(InputRecord{Button, 0x201, 0, 20, 0, 0});
    records.push_back(InputRecord{Button, 0x202, 0, 30, 0, 0});
    // The button comes after 0.3 s of the wait, disabled, and is enabled 0.5 s later.
    int polls = 0;
    gOnFakeEvent = [&polls](const std::string& what) {
        if (what != "wait 10") return;
        ++polls;
        if (polls == 30) SendMessageW(gForm.window, MakeButton, 0, 0);
        if (polls == 80) SendMessageW(gForm.window, EnableButton, 0, 0);
    };
    Play();
    ASSERT_TRUE(WaitUntil([] { return WaitForPlaybackWorkerEnd(0); }));
    EXPECT_EQ(PlaybackEnd::Played, LastPlaybackEnd());
    ASSERT_NE(nullptr, gForm.button);
    const std::string placed = OnButton(5, 6);
    EXPECT_EQ((Lines{"move " + std::to_string(form.left + 25) + "," + std::to_string(form.top + 36), placed, "button 2",
                     "button 4"}),
              gInjected);
    // Due at 2025 ms; ready after 80 polls of 10 ms; the release keeps its 30 ms.
    EXPECT_GE(TimeOf("button 2"), 2025 + 800);
    EXPECT_LT(TimeOf("button 2"), 2025 + 1000);
    EXPECT_EQ(30, TimeOf("button 4") - TimeOf("button 2"));
}

TEST_F(ControlWaitTest, AKeyWaitsForItsFieldToHaveTheFocus)
{
    SendMessageW(gForm.window, MakeField, 0, 0);
    AppendControl(records, "Edit", FieldId, 20, 40, 150, 22);
    records.push_back(InputRecord{Key, 0x41, 1, 20, 0, 0});
    records.push_back(InputRecord{Key, 0x41, 0, 20, 0, 0});
    AtPoll(50, FocusField);
    Play();
    ASSERT_TRUE(WaitUntil([] { return WaitForPlaybackWorkerEnd(0); }));
    EXPECT_EQ(PlaybackEnd::Played, LastPlaybackEnd());
    EXPECT_EQ((Lines{"key 65 down", "key 65 up"}), gInjected);
    EXPECT_GE(TimeOf("key 65 down"), 2020 + 500);
    EXPECT_LT(TimeOf("key 65 down"), 2020 + 700);
}

TEST_F(ControlWaitTest, AButtonThatStaysDisabledStopsThePlaybackWithItsMessage)
{
    SendMessageW(gForm.window, MakeButton, 0, 0);
    records.push_back(InputRecord{Key, 0x10, 1, 15, 0, 0});
    AppendControl(records, "Button", ButtonId, 20, 30, 80, 24);
    records.push_back(InputRecord{Button, 0x201, 0, 20, 0, 0});
    records.push_back(InputRecord{Button, 0x202, 0, 30, 0, 0});
    Play();
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&box] { return (box = FindDialog(DialogKind::Box)) != nullptr; }));
    const std::wstring expected = std::wstring(expected::ControlNotReadyFirstLine) +
                                  L"\r\n\r\nProgramm: win_control_wait.exe\r\nFensterklasse: TandrelControlForm"
                                  L"\r\nSteuerelement: Button\r\n\r\n" +
                                  expected::PlaybackAbortedLastLine;
    EXPECT_EQ(expected, BoxText(box));
    EXPECT_EQ((Lines{"key 16 down", "key 16 up"}), gInjected) << "Shift released before the message";
    PostButtonClick(box, IDOK);
    ASSERT_TRUE(WaitUntil([] { return WaitForPlaybackWorkerEnd(0); }));
    EXPECT_EQ((Lines{"key 16 down", "key 16 up"}), gInjected) << "nothing after it";
    EXPECT_EQ(PlaybackEnd::ControlMissing, LastPlaybackEnd());
    EXPECT_GE(TimeOf("key 16 up"), 2035 + 10000);
    EXPECT_LT(TimeOf("key 16 up"), 2035 + 10100);
}

TEST_F(ControlWaitTest, AButtonMadeAnewSinceItsLastClickIsFoundWhereItStandsNow)
{
    SendMessageW(gForm.window, MakeButton, 0, 0);
    SendMessageW(gForm.window, EnableButton, 0, 0);
    SendMessageW(gForm.window, MakeField, 0, 0);
    RECT form;
    GetWindowRect(gForm.window, &form);
    // The button, the field, the button again, each clicked 5, 6 into its recorded rectangle.
    const struct {
        const char* controlClass;
        int32_t id, left, top, width, height;
    } clicked[] = {{"Button", ButtonId, 20, 30, 80, 24},
                   {"Edit", FieldId, 200, 30, 150, 22},
                   {"Button", ButtonId, 20, 30, 80, 24}};
    for (const auto& c : clicked) {
        records.push_back(InputRecord{Move, 0, 0, 5, form.left + c.left + 5, form.top + c.top + 6});
        AppendControl(records, c.controlClass, c.id, c.left, c.top, c.width, c.height);
        records.push_back(InputRecord{Button, 0x201, 0, 20, 0, 0});
        records.push_back(InputRecord{Button, 0x202, 0, 20, 0, 0});
    }
    // After the first click the button is made anew, elsewhere: its old handle is gone.
    std::string first;
    gOnFakeEvent = [&first](const std::string& what) {
        if (what == "button 4" && first.empty()) {
            first = OnButton(5, 6);
            SendMessageW(gForm.window, RemakeButton, 0, 0);
        }
    };
    Play();
    ASSERT_TRUE(WaitUntil([] { return WaitForPlaybackWorkerEnd(0); }));
    EXPECT_EQ(PlaybackEnd::Played, LastPlaybackEnd());
    // Each click: the recorded Move, the placement onto the control, press, release.
    ASSERT_EQ(12u, gInjected.size());
    EXPECT_EQ(first, gInjected[1]);
    EXPECT_EQ(OnButton(5, 6), gInjected[9]);
    EXPECT_NE(gInjected[1], gInjected[9]);
}
