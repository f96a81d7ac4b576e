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
#include "support/SentInput.h"
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

// The playback's own F9 (which would cancel a playback if reported), key, click and wheel turn,
// through the real injection; then another program's F9, click and wheel turn with each of
// `marks` as extra information. 7 + 5 per mark events.
void InjectOwnThenOthers(const std::vector<ULONG_PTR>& marks)
{
    InjectKey(VK_F9, true);
    InjectKey(VK_F9, false);
    InjectKey('M', true);
    InjectKey('M', false);
    InjectMouseButton(MouseRightDown);
    InjectMouseButton(MouseRightUp);
    InjectWheel(WHEEL_DELTA);
    for (ULONG_PTR mark : marks) {
        SendKey(VK_F9, true, mark);
        SendKey(VK_F9, false, mark);
        SendMouse(MOUSEEVENTF_RIGHTDOWN, 0, mark);
        SendMouse(MOUSEEVENTF_RIGHTUP, 0, mark);
        SendMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA, mark);
    }
}

const std::vector<WPARAM> Own = {WM_KEYDOWN,     WM_KEYUP,     WM_KEYDOWN,   WM_KEYUP,
                                 WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL};
const std::vector<WPARAM> Other = {WM_KEYDOWN, WM_KEYUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL};

// Waits until the reference hooks have seen `count` events and the modules' messages are handled.
bool SeeAll(size_t count)
{
    const bool all = PumpUntil([count] { return gSeen.size() >= count; }, 20000);
    PumpUntil([] { return false; }, 200);
    return all;
}

}  // namespace

TEST(OwnInjectedInput, OnlyTheRunningPlaybacksOwnMarkPassesUnreported)
{
    HWND window = OpenMessageWindow(L"TandrelOwnInjectedInputTest", ReceiverProc);
    ASSERT_NE(window, nullptr);
    HHOOK keyboard = SetWindowsHookExW(WH_KEYBOARD_LL, ReferenceKeyboardHook, GetModuleHandleW(nullptr), 0);
    HHOOK mouse = SetWindowsHookExW(WH_MOUSE_LL, ReferenceMouseHook, GetModuleHandleW(nullptr), 0);
    ASSERT_NE(keyboard, nullptr);
    ASSERT_NE(mouse, nullptr);
    ASSERT_FALSE(DistFolder().empty()) << "TANDREL_DIST_DIR is not set";
    ASSERT_TRUE(SetDllDirectoryW(DistFolder().c_str()));
    LoadHookModules();
    ASSERT_TRUE(InstallKeyboardHook(window));
    ASSERT_TRUE(InstallMouseHook(window));

    // During a playback: its own, then another program's without a mark, with a wrong guess
    // and with the fixed mark of earlier versions.
    StartInjectionMark();
    const ULONG_PTR mark = gPlaybackMark.mark.load();
    InjectOwnThenOthers({0, mark + 1, 0x54414E44});
    const bool duringSeen = SeeAll(22);
    const std::vector<SeenEvent> during = gSeen;
    const std::vector<WPARAM> reportedDuring = gReported;
    // The next playback draws another mark. After it, its own input and another program's with
    // its mark are reported like any other.
    EndInjectionMark();
    StartInjectionMark();
    const ULONG_PTR nextMark = gPlaybackMark.mark.load();
    EndInjectionMark();
    gSeen.clear();
    gReported.clear();
    InjectOwnThenOthers({nextMark});
    const bool afterSeen = SeeAll(12);

    RemoveHooks();
    UnloadHookModules();
    SetDllDirectoryW(nullptr);
    UnhookWindowsHookEx(keyboard);
    UnhookWindowsHookEx(mouse);
    DestroyWindow(window);

    ASSERT_NE(mark, 0u) << "no random source";
    EXPECT_NE(nextMark, mark);
    ASSERT_TRUE(duringSeen && afterSeen) << "the reference hooks missed events";
    // All passed on, in order, the first seven with the mark.
    for (size_t i = 0; i < during.size(); ++i) {
        EXPECT_EQ(during[i].message, i < 7 ? Own[i] : Other[(i - 7) % 5]) << i;
        EXPECT_EQ(during[i].extraInfo == mark, i < 7) << i;
    }
    std::vector<WPARAM> others;
    for (int copy = 0; copy < 3; ++copy) others.insert(others.end(), Other.begin(), Other.end());
    EXPECT_EQ(reportedDuring, others) << "only the other program's reported, F9 among them";
    std::vector<WPARAM> all = Own;
    all.insert(all.end(), Other.begin(), Other.end());
    EXPECT_EQ(gReported, all) << "after the playback everything is reported";
}
