// The real injection under Wine: a small recording played by the worker (with fake timing)
// into a window of the test's own, seen by a low-level keyboard hook and by the window itself:
// keys arrive with their own scan codes, the extended ones with the extended flag, a key left
// down is released at the end, and the cursor lands where the recording put it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/ActivityState.h"
#include "core/Messages.h"
#include "core/Settings.h"
#include "playback/HeldInputs.h"
#include "playback/PlaybackWorker.h"
#include "recording/InputRecord.h"
#include "support/FileHelpers.h"
#include "support/RecordingBytes.h"
#include "support/TempWorkingFolder.h"
#include "support/WindowHelpers.h"

namespace {

constexpr DWORD DeadlineMs = 20000;

struct SeenKey {
    DWORD virtualKey;
    DWORD scanCode;
    bool extended;
    bool up;
};

// Written and read on the test's thread: the hook and the window procedure run inside its
// message pumping.
std::vector<SeenKey> gHookKeys;
std::vector<SeenKey> gWindowKeys;
bool gPlaybackEnded = false;

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        gHookKeys.push_back(
            {key->vkCode, key->scanCode, (key->flags & LLKHF_EXTENDED) != 0, (key->flags & LLKHF_UP) != 0});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_KEYUP) {
        gWindowKeys.push_back({static_cast<DWORD>(wParam), static_cast<DWORD>((lParam >> 16) & 0xFF),
                               (lParam & (1 << 24)) != 0, message == WM_KEYUP});
        return 0;
    }
    if (message == PlaybackEndedMessage) {
        gPlaybackEnded = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const SeenKey* Find(const std::vector<SeenKey>& keys, DWORD virtualKey, bool up)
{
    for (const SeenKey& key : keys) {
        if (key.virtualKey == virtualKey && key.up == up) {
            return &key;
        }
    }
    return nullptr;
}

std::string Describe(const std::vector<SeenKey>& keys)
{
    std::string text;
    for (const SeenKey& key : keys) {
        char line[64];
        std::snprintf(line, sizeof line, " [vk %lu scan %lu%s%s]", key.virtualKey, key.scanCode,
                      key.extended ? " ext" : "", key.up ? " up" : " down");
        text += line;
    }
    return text;
}

}  // namespace

TEST(PlaybackRealInjection, KeysArriveWithTheirScanCodesAndExtendedFlags)
{
    EnterFreshWorkingFolder();
    const std::wstring path = WorkingFolder() + L"\\real-injection.rec";
    WriteWholeFile(path, RecordingBytes({
                             InputRecord{Move, 0, 0, 0, 101, 123}, InputRecord{Key, VK_LEFT, 1, 0, 0, 0},
                             InputRecord{Key, VK_LEFT, 0, 0, 0, 0}, InputRecord{Key, 'A', 1, 0, 0, 0},
                             InputRecord{Key, 'A', 0, 0, 0, 0},
                             InputRecord{Key, VK_RCONTROL, 1, 0, 0, 0},  // left down: released at the end
                         }));

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TandrelPlaybackTarget";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                  300, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    SetForegroundWindow(window);
    SetFocus(window);
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardHook, GetModuleHandleW(nullptr), 0);
    ASSERT_NE(nullptr, hook);
    PumpUntil([] { return GetFocus() != nullptr; }, DeadlineMs);

    CreateHeldInputList();
    gActivityState.store(Idle);
    gRepeatCount = 0;
    gSpeedDivisor = 1;
    gQuitAfterPlayback = 0;
    gPlaybackPath = path;
    ASSERT_TRUE(StartPlaybackWorker(window));
    PumpUntil([] { return gPlaybackEnded && gHookKeys.size() >= 6 && gWindowKeys.size() >= 6; }, DeadlineMs);
    UnhookWindowsHookEx(hook);
    CloseWorkerThreadHandles();

    SCOPED_TRACE("hook saw" + Describe(gHookKeys) + "; window saw" + Describe(gWindowKeys));
    EXPECT_TRUE(gPlaybackEnded);
    EXPECT_EQ(Idle, gActivityState.load());
    // The display may report the pointer's new place a little later than the move.
    PumpUntil(
        [] {
            POINT at{};
            GetCursorPos(&at);
            return at.x == 101 && at.y == 123;
        },
        DeadlineMs);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(101, cursor.x);
    EXPECT_EQ(123, cursor.y);

    for (const std::vector<SeenKey>* keys : {&gHookKeys, &gWindowKeys}) {
        SCOPED_TRACE(keys == &gHookKeys ? "low-level hook" : "window");
        ASSERT_EQ(6u, keys->size());
        for (bool up : {false, true}) {
            const SeenKey* left = Find(*keys, VK_LEFT, up);
            ASSERT_NE(nullptr, left);
            EXPECT_TRUE(left->extended);
            EXPECT_EQ(0x4Bu, left->scanCode);
            const SeenKey* a = Find(*keys, 'A', up);
            ASSERT_NE(nullptr, a);
            EXPECT_FALSE(a->extended);
            EXPECT_EQ(0x1Eu, a->scanCode);
        }
    }
    // The window sees right Ctrl as VK_CONTROL; the hook sees which one it was.
    for (bool up : {false, true}) {
        const SeenKey* control = Find(gHookKeys, VK_RCONTROL, up);
        ASSERT_NE(nullptr, control);
        EXPECT_TRUE(control->extended);
        EXPECT_EQ(0x1Du, control->scanCode);
    }
    EXPECT_TRUE(gHookKeys.back().up) << "the held right Ctrl is released last";
    EXPECT_EQ(0, GetAsyncKeyState(VK_RCONTROL) & 0x8000) << "right Ctrl is not left down";

    DestroyWindow(window);
    LeaveWorkingFolder();
}
