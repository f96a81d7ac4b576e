// The control of each press, from real windows to the file: presses noted as the hook thread
// notes them (NoteEventWindow) into a form with an edit and two buttons and into a window
// without children, handed to the real recorder in the window callback's order, and the file
// read back: which groups stand where, and what they hold.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Messages.h"
#include "hooks/EventWindow.h"
#include "library/RecordsFolder.h"
#include "recording/ControlRecords.h"
#include "recording/Recorder.h"
#include "recording/WindowRecords.h"
#include "support/FakeClock.h"
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"
#include "support/WindowHelpers.h"

namespace {

constexpr int FormX = 100, FormY = 120;
constexpr int EditId = 101, OkId = 1, CancelId = 2;

struct Form {
    HWND window, edit, ok, cancel;
};

HWND Child(HWND parent, const wchar_t* className, int id, int x, int y, int width, int height)
{
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

HWND OpenPopup(const wchar_t* title, int x, int y, int width, int height)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ControlTestForm";
        RegisterClassW(&wc);
        registered = true;
    }
    return CreateWindowExW(0, L"ControlTestForm", title, WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

class RecorderControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
        form.window = OpenPopup(L"Formular", FormX, FormY, 400, 300);
        form.edit = Child(form.window, L"Edit", EditId, 10, 10, 200, 24);
        form.ok = Child(form.window, L"Button", OkId, 10, 50, 80, 30);
        form.cancel = Child(form.window, L"Button", CancelId, 100, 50, 80, 30);
        plain = OpenPopup(L"Ohne Kinder", 600, 120, 200, 200);
        ASSERT_TRUE(form.window && form.edit && form.ok && form.cancel && plain);
        PumpUntil([this] { return IsWindowVisible(plain) != FALSE; });
        ASSERT_TRUE(BringToForeground(form.window));
        ASSERT_TRUE(StartRecording());
        SetReferenceTime(0);
    }
    void TearDown() override
    {
        StopRecording();
        DestroyWindow(form.window);
        DestroyWindow(plain);
        LeaveWorkingFolder();
    }

    // One event as the hook thread notes it and the window callback records it.
    void Event(uint32_t message, int32_t value, int32_t x = 0, int32_t y = 0)
    {
        HookEvent event{message, value, x, y, ++now};
        NoteEventWindow(event);
        WindowIdentity window;
        if (ReadHookEventWindow(event, window)) {
            ASSERT_TRUE(RecordEventWindow(event.windowSerial, window));
            ControlIdentity control = {};
            ASSERT_TRUE(RecordEventControl(ReadHookEventControl(event, control) ? event.controlSerial : 0, control));
        }
        ASSERT_TRUE(RecordHookEventAt(event));
    }
    // Moves to the middle of the window (whose top-level window lies at its rectangle) and
    // presses and releases the left button there.
    void ClickAt(HWND window, int dx = 0, int dy = 0)
    {
        RECT r;
        GetWindowRect(window, &r);
        Event(MouseMoveMessage, 0, (r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2 + dy);
        Event(LeftButtonDownMessage, 0);
        Event(LeftButtonUpMessage, 0);
    }
    void TypeInto(HWND control)
    {
        SetFocus(control);
        Event(KeyDownMessage, 'A');
        Event(KeyUpMessage, 'A');
    }

    // The file as one letter per event, a group as one letter: W window group, C control group,
    // B/b button down/up, K/k key down/up, M move, V wheel; and the control groups read back.
    std::string Letters(std::vector<ControlIdentity>& controls)
    {
        StopRecording();
        const std::vector<uint8_t> bytes = ReadWholeFile(TempRecordPath);
        std::string letters;
        ControlRecordReader reader;
        ResetControlRecordReader(reader);
        for (size_t at = 0; at + InputRecordSize <= bytes.size(); at += InputRecordSize) {
            const InputRecord record = DecodeInputRecord(bytes.data() + at);
            if (ReadControlRecord(reader, record) == ControlRecordStep::Complete) controls.push_back(reader.control);
            char letter = '?';
            switch (record.kind) {
            case Key: letter = record.down ? 'K' : 'k'; break;
            case Button: letter = record.code == LeftButtonDownMessage ? 'B' : 'b'; break;
            case Move: letter = 'M'; break;
            case Wheel: letter = 'V'; break;
            default: letter = IsControlRecordKind(record.kind) ? 'C' : 'W'; break;
            }
            if (record.kind >= WindowPlace) {
                EXPECT_EQ(0, record.delay) << "a group record that waits";
            }
            const bool inGroup = (letter == 'C' || letter == 'W') && !letters.empty() && letters.back() == letter &&
                                 record.kind != WindowPlace && record.kind != ControlPlace;
            if (!inGroup) letters += letter;
        }
        return letters;
    }

    Form form;
    HWND plain = nullptr;
    uint32_t now = 0;
};

void ExpectControl(const ControlIdentity& control, const char* className, int id, int place, RECT at)
{
    EXPECT_STREQ(className, control.controlClass);
    EXPECT_EQ(id, control.id);
    EXPECT_EQ(place, control.place);
    EXPECT_EQ(at.left, control.left);
    EXPECT_EQ(at.top, control.top);
    EXPECT_EQ(at.right, control.width);
    EXPECT_EQ(at.bottom, control.height);
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), control.dpi);
    ReleaseDC(nullptr, screen);
}

}  // namespace

TEST_F(RecorderControl, AGroupStandsRightBeforeEachPressWhoseControlChanged)
{
    ClickAt(form.edit);           // the first press: its window, its control
    ClickAt(form.edit, 20, 2);    // the same control again: nothing
    TypeInto(form.edit);          // the focus in the same edit: nothing
    ClickAt(form.cancel);         // another control
    Event(MouseWheelMessage, 1);  // a wheel turn over the same button: nothing
    ClickAt(form.window, 0, 80);  // the form's own background: no control
    ClickAt(form.cancel);         // the button again, after a press with none
    TypeInto(form.edit);
    MoveWindow(form.edit, 10, 100, 220, 24, TRUE);
    TypeInto(form.edit);   // the edit moved and grew within its window
    ClickAt(plain);        // a window without children: its window group alone
    ClickAt(form.cancel);  // back in the form: its window group, and its control's
    MoveWindow(form.window, FormX + 30, FormY, 400, 300, TRUE);
    ClickAt(form.cancel);  // the same control in a moved window: the window's group, and always the control's

    std::vector<ControlIdentity> controls;
    EXPECT_EQ("MWCBb"
              "MBb"
              "Kk"
              "MCBb"
              "V"
              "MBb"
              "MCBb"
              "CKk"
              "CKk"
              "MWBb"
              "MWCBb"
              "MWCBb",
              Letters(controls));
    ASSERT_EQ(7u, controls.size());
    ExpectControl(controls[0], "Edit", EditId, 0, {10, 10, 200, 24});
    ExpectControl(controls[1], "Button", CancelId, 1, {100, 50, 80, 30});
    ExpectControl(controls[2], "Button", CancelId, 1, {100, 50, 80, 30});
    ExpectControl(controls[3], "Edit", EditId, 0, {10, 10, 200, 24});
    ExpectControl(controls[4], "Edit", EditId, 0, {10, 100, 220, 24});
    ExpectControl(controls[5], "Button", CancelId, 1, {100, 50, 80, 30});
    ExpectControl(controls[6], "Button", CancelId, 1, {100, 50, 80, 30});
}

// A key into a window whose focus is on the window itself has no control; the next key into an
// edit of it has.
TEST_F(RecorderControl, AKeyGoesToTheFocusedChildOnly)
{
    SetFocus(form.window);
    Event(KeyDownMessage, 'B');
    TypeInto(form.ok);
    std::vector<ControlIdentity> controls;
    EXPECT_EQ("WKCKk", Letters(controls));
    ASSERT_EQ(1u, controls.size());
    ExpectControl(controls[0], "Button", OkId, 0, {10, 50, 80, 30});
}
