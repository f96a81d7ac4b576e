// The program's own injected input against its hooks: every key, button and wheel event that
// playback injects (the real Injection.cpp) carries InjectedInputMark, and the hook modules
// (the built KeyBoardHook.dll and MouseHook.dll) pass it on to the next hook without reporting
// it; the same input without the mark, as another program or the user makes it, F9 among it,
// is still reported.
//
// Reference hooks of the test's own are installed before the modules' hooks, so they are
// called after them: they see what the modules passed on, once the modules have posted their
// messages for it.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "core/HookProtocol.h"
#include "hooks/HookModules.h"
#include "playback/Injection.h"
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

void SendUnmarkedKey(WORD vk, bool down)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

void SendUnmarkedMouse(DWORD flags, DWORD data = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

}  // namespace

TEST(OwnInjectedInput, IsMarkedAndPassedOnUnreportedWhileOtherInputIsReported)
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

    // The playback's own: F9 (which would cancel a playback if reported), a key, a click and
    // a wheel turn.
    InjectKey(VK_F9, true);
    InjectKey(VK_F9, false);
    InjectKey('M', true);
    InjectKey('M', false);
    InjectMouseButton(MouseRightDown);
    InjectMouseButton(MouseRightUp);
    InjectWheel(WHEEL_DELTA);
    // Then another program's: F9, a click and a wheel turn without the mark.
    SendUnmarkedKey(VK_F9, true);
    SendUnmarkedKey(VK_F9, false);
    SendUnmarkedMouse(MOUSEEVENTF_RIGHTDOWN);
    SendUnmarkedMouse(MOUSEEVENTF_RIGHTUP);
    SendUnmarkedMouse(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
    const bool allSeen = PumpUntil([] { return gSeen.size() >= 12; }, 20000);
    PumpUntil([] { return false; }, 200);  // what the modules posted last is handled too

    RemoveHooks();
    UnloadHookModules();
    SetDllDirectoryW(nullptr);
    UnhookWindowsHookEx(keyboard);
    UnhookWindowsHookEx(mouse);
    DestroyWindow(window);

    ASSERT_TRUE(allSeen) << "the reference hooks saw " << gSeen.size() << " of 12 events";
    // All passed on, in order; the first seven with the mark, the other five without.
    const WPARAM expected[] = {WM_KEYDOWN,    WM_KEYUP,   WM_KEYDOWN, WM_KEYUP,       WM_RBUTTONDOWN, WM_RBUTTONUP,
                               WM_MOUSEWHEEL, WM_KEYDOWN, WM_KEYUP,   WM_RBUTTONDOWN, WM_RBUTTONUP,   WM_MOUSEWHEEL};
    ASSERT_EQ(gSeen.size(), 12u);
    for (size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(gSeen[i].message, expected[i]) << i;
        EXPECT_EQ(gSeen[i].extraInfo == InjectedInputMark, i < 7) << i;
    }
    // Only the unmarked ones were reported.
    EXPECT_EQ(gReported, std::vector<WPARAM>(expected + 7, expected + 12));
}
