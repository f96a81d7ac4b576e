// The program's own injected input against its hooks: while a playback runs, every key,
// button and wheel event that it injects (the real Injection.cpp) carries the playback's mark,
// drawn at random when it started (the real InjectionMark.cpp), and the hook modules (the
// built KeyBoardHook.dll and MouseHook.dll) pass it on to the next hook without reporting it.
// Input with any other extra information, the former fixed mark and a wrong guess among it, F9
// too, is reported; and with no playback running every input is reported, whatever it carries.
//
// Reference hooks of the test's own are installed before the modules' hooks, so they are
// called after them: they see what the modules passed on, once the modules have posted their
// messages for it.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "core/HookProtocol.h"
#include "core/PlaybackMark.h"
#include "hooks/HookModules.h"
#include "playback/Injection.h"
#include "playback/InjectionMark.h"
#include "support/WinePaths.h"
#include "support/WindowHelpers.h"

namespace {

// One event as a reference hook saw it.
struct SeenEvent {
    WPARAM message;
    ULONG_PTR extraInfo;
};

// Written and read on the test's thread: the window and hook procedures run inside its pumping.
std::vector<WPARAM> gReported;
std::vector<SeenEvent> gSeen;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == HookEventMessage) {
        gReported.push_back(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ReferenceKeyboardHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) gSeen.push_back({wParam, reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->dwExtraInfo});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ReferenceMouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) gSeen.push_back({wParam, reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->dwExtraInfo});
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void SendKey(WORD vk, bool down, ULONG_PTR extraInfo)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    input.ki.dwExtraInfo = extraInfo;
    SendInput(1, &input, sizeof input);
}

void SendMouse(DWORD flags, DWORD data, ULONG_PTR extraInfo)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    input.mi.dwExtraInfo = extraInfo;
    SendInput(1, &input, sizeof input);
}

// The playback's own: F9 (which would cancel a playback if reported), a key, a click and a
// wheel turn, through the real injection: seven events.
void InjectAsPlayback()
{
    InjectKey(VK_F9, true);
    InjectKey(VK_F9, false);
    InjectKey('M', true);
    InjectKey('M', false);
    InjectMouseButton(MouseRightDown);
    InjectMouseButton(MouseRightUp);
    InjectWheel(WHEEL_DELTA);
}

// Another program's F9, click and wheel turn with this extra information: five events.
void InjectAsAnotherProgram(ULONG_PTR extraInfo)
{
    SendKey(VK_F9, true, extraInfo);
    SendKey(VK_F9, false, extraInfo);
    SendMouse(MOUSEEVENTF_RIGHTDOWN, 0, extraInfo);
    SendMouse(MOUSEEVENTF_RIGHTUP, 0, extraInfo);
    SendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA, extraInfo);
}

const std::vector<WPARAM> OwnMessages = {WM_KEYDOWN,     WM_KEYUP,     WM_KEYDOWN,   WM_KEYUP,
                                         WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL};
const std::vector<WPARAM> OtherMessages = {WM_KEYDOWN, WM_KEYUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL};

class OwnInjectedInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        gReported.clear();
        gSeen.clear();
        window = OpenMessageWindow(L"TandrelOwnInjectedInputTest", ReceiverProc);
        ASSERT_NE(window, nullptr);
        keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, ReferenceKeyboardHook, GetModuleHandleW(nullptr), 0);
        mouse = SetWindowsHookExW(WH_MOUSE_LL, ReferenceMouseHook, GetModuleHandleW(nullptr), 0);
        ASSERT_NE(keyboard, nullptr);
        ASSERT_NE(mouse, nullptr);
        ASSERT_FALSE(DistFolder().empty()) << "TANDREL_DIST_DIR is not set";
        ASSERT_TRUE(SetDllDirectoryW(DistFolder().c_str()));
        LoadHookModules();
        ASSERT_TRUE(InstallKeyboardHook(window));
        ASSERT_TRUE(InstallMouseHook(window));
    }
    void TearDown() override
    {
        EndInjectionMark();
        RemoveHooks();
        UnloadHookModules();
        SetDllDirectoryW(nullptr);
        if (keyboard != nullptr) UnhookWindowsHookEx(keyboard);
        if (mouse != nullptr) UnhookWindowsHookEx(mouse);
        if (window != nullptr) DestroyWindow(window);
    }
    // Waits until the reference hooks have seen `count` events and the modules' last
    // messages are handled.
    static void SeeAll(size_t count)
    {
        EXPECT_TRUE(PumpUntil([count] { return gSeen.size() >= count; }, 20000))
            << "the reference hooks saw " << gSeen.size() << " of " << count << " events";
        PumpUntil([] { return false; }, 200);
    }
    HWND window = nullptr;
    HHOOK keyboard = nullptr;
    HHOOK mouse = nullptr;
};

}  // namespace

TEST_F(OwnInjectedInput, DuringAPlaybackOnlyItsOwnMarkPassesUnreported)
{
    StartInjectionMark();
    const ULONG_PTR mark = gPlaybackMark.mark.load();
    ASSERT_NE(mark, 0u) << "no random source";
    InjectAsPlayback();
    InjectAsAnotherProgram(0);
    InjectAsAnotherProgram(mark + 1);
    InjectAsAnotherProgram(0x54414E44);  // the fixed mark of earlier versions
    SeeAll(22);

    ASSERT_EQ(gSeen.size(), 22u);
    for (size_t i = 0; i < 22; ++i) {
        EXPECT_EQ(gSeen[i].message, i < 7 ? OwnMessages[i] : OtherMessages[(i - 7) % 5]) << i;
        EXPECT_EQ(gSeen[i].extraInfo == mark, i < 7) << i;
    }
    // Only the other program's were reported, F9 among them.
    std::vector<WPARAM> expected;
    for (int copy = 0; copy < 3; ++copy) expected.insert(expected.end(), OtherMessages.begin(), OtherMessages.end());
    EXPECT_EQ(gReported, expected);

    // Each playback draws its own.
    EndInjectionMark();
    StartInjectionMark();
    EXPECT_NE(gPlaybackMark.mark.load(), mark);
}

TEST_F(OwnInjectedInput, WithNoPlaybackRunningEverythingIsReportedWhateverItCarries)
{
    StartInjectionMark();
    const ULONG_PTR mark = gPlaybackMark.mark.load();
    ASSERT_NE(mark, 0u) << "no random source";
    EndInjectionMark();
    // The ended playback's own injection, and another program that learned its mark.
    InjectAsPlayback();
    InjectAsAnotherProgram(mark);
    SeeAll(12);

    std::vector<WPARAM> expected = OwnMessages;
    expected.insert(expected.end(), OtherMessages.begin(), OtherMessages.end());
    EXPECT_EQ(gReported, expected);
}
