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
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"
#include "support/WindowHelpers.h"

namespace {

constexpr int EditId = 101, OkId = 1, CancelId = 2;

HWND gForm = nullptr;
uint32_t gNow = 0;

HWND Child(const wchar_t* className, int id, int x, int y, int width, int height)
{
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, gForm,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

// One event as the hook thread notes it and the window callback records it.
void Event(uint32_t message, int32_t value, int32_t x = 0, int32_t y = 0)
{
    HookEvent event{message, value, x, y, ++gNow};
    NoteEventWindow(event);
    WindowIdentity window;
    if (ReadHookEventWindow(event, window)) {
        ASSERT_TRUE(RecordEventWindow(event.windowSerial, window));
        ControlIdentity control = {};
        ASSERT_TRUE(RecordEventControl(ReadHookEventControl(event, control) ? event.controlSerial : 0, control));
    }
    ASSERT_TRUE(RecordHookEventAt(event));
}

// A move to the middle of the window (and `dy` lower), a left button's press and release there.
void ClickAt(HWND window, int dy = 0)
{
    RECT r;
    GetWindowRect(window, &r);
    Event(MouseMoveMessage, 0, (r.left + r.right) / 2, (r.top + r.bottom) / 2 + dy);
    Event(LeftButtonDownMessage, 0);
    Event(LeftButtonUpMessage, 0);
}

void TypeInto(HWND control)
{
    SetFocus(control);
    Event(KeyDownMessage, 'A');
    Event(KeyUpMessage, 'A');
}

// The file as a letter per event, a group as one letter: W window group, C control group, B/b
// button down/up, K/k key down/up, M move, V wheel; `controls` gets the control groups.
std::string Letters(std::vector<ControlIdentity>& controls)
{
    const std::vector<uint8_t> bytes = ReadWholeFile(TempRecordPath);
    std::string letters;
    ControlRecordReader reader;
    ResetControlRecordReader(reader);
    for (size_t at = 0; at + InputRecordSize <= bytes.size(); at += InputRecordSize) {
        const InputRecord record = DecodeInputRecord(bytes.data() + at);
        if (ReadControlRecord(reader, record) == ControlRecordStep::Complete) controls.push_back(reader.control);
        EXPECT_TRUE(record.kind < WindowPlace || record.delay == 0) << "a group record that waits";
        if (record.kind == WindowPlace || record.kind == ControlPlace)
            letters += record.kind == WindowPlace ? 'W' : 'C';
        else if (record.kind < WindowPlace)
            letters += static_cast<char>(
                "KBMV"[record.kind] +
                (record.kind <= Button && !record.down && record.code != LeftButtonDownMessage ? 32 : 0));
    }
    return letters;
}

// The control's identity, its rectangle given in the form's client area.
void ExpectControl(const ControlIdentity& control, const char* className, int id, int place, RECT at)
{
    RECT frame;
    POINT client{0, 0};
    GetWindowRect(gForm, &frame);
    ClientToScreen(gForm, &client);
    EXPECT_STREQ(className, control.controlClass);
    EXPECT_EQ(id, control.id);
    EXPECT_EQ(place, control.place);
    EXPECT_EQ(client.x - frame.left + at.left, control.left);
    EXPECT_EQ(client.y - frame.top + at.top, control.top);
    EXPECT_EQ(at.right, control.width);
    EXPECT_EQ(at.bottom, control.height);
    const HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), control.dpi);
    ReleaseDC(nullptr, screen);
}

}  // namespace

TEST(RecorderControl, AGroupStandsRightBeforeEachPressWhoseControlChanged)
{
    EnterFreshWorkingFolder();
    ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
    const HWND plain = OpenPlainWindow(L"Ohne Kinder", 700);
    gForm = OpenPlainWindow(L"Formular", 100);
    MoveWindow(gForm, 100, 50, 420, 320, TRUE);
    const HWND edit = Child(L"Edit", EditId, 10, 10, 200, 24);
    Child(L"Button", OkId, 10, 50, 80, 30);
    const HWND cancel = Child(L"Button", CancelId, 100, 50, 80, 30);
    ASSERT_TRUE(BringToForeground(gForm));
    ASSERT_TRUE(StartRecording());

    SetFocus(gForm);
    Event(KeyDownMessage, 'B');   // the focus on the form itself: its window, no control
    ClickAt(edit);                // the edit
    ClickAt(edit, 5);             // the same control again: nothing
    TypeInto(edit);               // the focus in the same edit: nothing
    ClickAt(cancel);              // another control
    Event(MouseWheelMessage, 1);  // a wheel turn over the same button: nothing
    ClickAt(gForm, 80);           // the form's own background: no control
    ClickAt(cancel);              // the button again, after a press with none
    TypeInto(edit);
    MoveWindow(edit, 10, 100, 220, 24, TRUE);
    TypeInto(edit);   // the edit moved and grew within its window
    ClickAt(plain);   // a window without children: its window group alone
    ClickAt(cancel);  // back in the form: its window group, and its control's
    MoveWindow(gForm, 130, 50, 420, 320, TRUE);
    ClickAt(cancel);  // the same control in a moved window: the window's group, and always the control's
    for (int i = 0; i < 300; ++i) Child(L"Static", -1, 300, 200, 10, 10);
    ClickAt(Child(L"Button", 3, 300, 240, 80, 30));  // behind 300 siblings: its place is not counted
    StopRecording();

    std::vector<ControlIdentity> controls;
    EXPECT_EQ("WK"
              "MCBb"
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
              "MWCBb"
              "MCBb",
              Letters(controls));
    ASSERT_EQ(8u, controls.size());
    ExpectControl(controls[0], "Edit", EditId, 0, {10, 10, 200, 24});
    ExpectControl(controls[1], "Button", CancelId, 1, {100, 50, 80, 30});
    EXPECT_EQ(1, controls[2].place);
    ExpectControl(controls[3], "Edit", EditId, 0, {10, 10, 200, 24});
    ExpectControl(controls[4], "Edit", EditId, 0, {10, 100, 220, 24});
    ExpectControl(controls[6], "Button", CancelId, 1, {100, 50, 80, 30});
    EXPECT_EQ(PlaceNotCounted, controls[7].place);
    DestroyWindow(gForm);
    DestroyWindow(plain);
    LeaveWorkingFolder();
}
