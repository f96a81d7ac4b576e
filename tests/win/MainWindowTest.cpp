// The main window read back from the system: frame, placement, gadgets, the Repeat count
// filter, Tab order, the events handed to the event loop, hiding and showing.
#include <gtest/gtest.h>

#include <vector>

#include "support/ExpectedTexts.h"
#include "support/MainWindowFixture.h"
#include "support/WindowHelpers.h"
#include "ui/MainWindow.h"

#include <commctrl.h>

namespace {

class MainWindowTest : public ShownMainWindowTest {
protected:
    static HWND Gadget(int number)
    {
        return GetDlgItem(gMainWindow, number);
    }
};

struct GadgetExpectation {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    RECT place;  // x, y, width, height in the client area
};

const GadgetExpectation ExpectedGadgets[10] = {
    {L"Button", expected::RecordingsFrameText, BS_GROUPBOX, 0, {5, 5, 395, 240}},
    // The list drops its scroll-bar styles while its entries fit (see ListScrollsWhenFull).
    {L"ListBox",
     L"",
     WS_TABSTOP | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE,
     {10, 20, 385, 155}},
    {L"Static", expected::RepeatLabelText, SS_LEFT, 0, {15, 185, 175, 15}},
    {L"Edit",
     expected::RepeatCountDefaultText,
     WS_TABSTOP | ES_AUTOHSCROLL | ES_NUMBER | ES_RIGHT,
     WS_EX_CLIENTEDGE,
     {195, 182, 40, 20}},
    {L"Button", expected::PlayButtonText, BS_PUSHBUTTON | WS_TABSTOP, 0, {10, 210, 125, 30}},
    {L"Button", expected::RenameButtonText, BS_PUSHBUTTON | WS_TABSTOP, 0, {140, 210, 125, 30}},
    {L"Button", expected::RemoveButtonText, BS_PUSHBUTTON | WS_TABSTOP, 0, {270, 210, 125, 30}},
    {L"Static", expected::RecordKeyLabelText, SS_LEFT, 0, {10, 255, 175, 15}},
    {L"Static", expected::StopKeyLabelText, SS_LEFT, 0, {10, 275, 125, 15}},
    {L"Static", expected::F9LabelText, SS_LEFT, 0, {210, 265, 110, 15}},
};

TEST_F(MainWindowTest, FrameIsFixedCentredTopmostAndTitled)
{
    EXPECT_EQ(TextOf(gMainWindow), expected::MainWindowTitle);
    RECT client;
    GetClientRect(gMainWindow, &client);
    EXPECT_EQ(client.right, 405);
    EXPECT_EQ(client.bottom, 300);

    const LONG style = GetWindowLongW(gMainWindow, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(IsTopmost(gMainWindow));
    EXPECT_TRUE(IsWindowVisible(gMainWindow));

    RECT frame{0, 0, 405, 300};
    AdjustWindowRectEx(&frame, WS_CAPTION | WS_SYSMENU, FALSE, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT outer;
    GetWindowRect(gMainWindow, &outer);
    EXPECT_EQ(outer.right - outer.left, width);
    EXPECT_EQ(outer.bottom - outer.top, height);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);

    EXPECT_EQ(GetClassLongPtrW(gMainWindow, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
    // This test carries the program's resources: the class shows the application icon.
    EXPECT_NE(GetClassLongPtrW(gMainWindow, GCLP_HICON), 0u);
}

TEST_F(MainWindowTest, TenGadgetsInOrderWithTheirPlacesStylesAndTexts)
{
    const HFONT guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND child = GetWindow(gMainWindow, GW_CHILD);
    for (int number = 0; number < 10; ++number, child = GetWindow(child, GW_HWNDNEXT)) {
        SCOPED_TRACE(number);
        ASSERT_NE(child, nullptr);
        const GadgetExpectation& e = ExpectedGadgets[number];
        EXPECT_EQ(GetDlgCtrlID(child), number);
        EXPECT_EQ(BaseClassName(child), e.className);
        EXPECT_EQ(TextOf(child), e.text);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
        EXPECT_EQ(style & e.style, e.style);
        if (e.className == std::wstring(L"Button")) {
            EXPECT_EQ(style & BS_TYPEMASK, e.style & BS_TYPEMASK);
        }
        if (e.className == std::wstring(L"Static")) {
            EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
        }
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE)) & WS_EX_CLIENTEDGE, e.exStyle);
        // Labels and the frame take no focus; list, field and buttons do.
        EXPECT_EQ((style & WS_TABSTOP) != 0, (e.style & WS_TABSTOP) != 0);
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, gMainWindow, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, e.place.left);
        EXPECT_EQ(r.top, e.place.top);
        EXPECT_EQ(r.right - r.left, e.place.right);
        EXPECT_EQ(r.bottom - r.top, e.place.bottom);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), guiFont);
    }
    EXPECT_EQ(child, nullptr);  // nothing beyond the ten
}

// The manifest's common controls: only their buttons know their ideal size.
TEST_F(MainWindowTest, GadgetsAreTheStyledCommonControls)
{
    SIZE ideal{};
    EXPECT_TRUE(SendMessageW(Gadget(PlayButton), BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
    EXPECT_GT(ideal.cx, 0);
}

TEST_F(MainWindowTest, StartsWithZeroInTheFieldAndAnEmptyList)
{
    EXPECT_EQ(RepeatCountText(), L"0");
    EXPECT_EQ(SendMessageW(Gadget(RecordingsList), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SelectedRecordingName(), L"");
}

TEST_F(MainWindowTest, ListKeepsEntriesInTheOrderAddedAndReportsTheSelection)
{
    for (const wchar_t* name : {L"Zeta", L"Alpha", L"Formular ausf\u00fcllen"}) AppendRecordingsListEntry(name);
    const HWND list = Gadget(RecordingsList);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SelectedRecordingName(), L"");  // nothing selected yet
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(SelectedRecordingName(), L"Alpha");
    SendMessageW(list, LB_SETCURSEL, 2, 0);
    EXPECT_EQ(SelectedRecordingName(), L"Formular ausf\u00fcllen");
    SendMessageW(list, LB_SETCURSEL, 0, 0);
    EXPECT_EQ(SelectedRecordingName(), L"Zeta");

    ClearRecordingsList();
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SelectedRecordingName(), L"");
    AppendRecordingsListEntry(L"Login");
    EXPECT_EQ(SelectedRecordingName(), L"");  // the old selection does not come back
}

TEST_F(MainWindowTest, ListScrollsWhenFullAndKeepsItsHeight)
{
    const HWND list = Gadget(RecordingsList);
    for (int i = 0; i < 40; ++i) AppendRecordingsListEntry(L"Aufzeichnung " + std::to_wstring(i));
    EXPECT_TRUE(GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL);
    RECT r;
    GetWindowRect(list, &r);
    EXPECT_EQ(r.bottom - r.top, 155);
}

// Typed characters as the field receives them.
void Type(HWND field, std::initializer_list<wchar_t> characters)
{
    for (wchar_t c : characters) SendMessageW(field, WM_CHAR, c, 1);
}

void PutOnClipboard(HWND owner, const wchar_t* text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

TEST_F(MainWindowTest, FieldTakesDigitsAndBackspaceOnly)
{
    const HWND field = Gadget(RepeatCountField);
    SetWindowTextW(field, L"");
    Type(field, {L'1', L'2', L'a', L'Z', L' ', L'-', L'+', L'.', L'3'});
    EXPECT_EQ(RepeatCountText(), L"123");
    Type(field, {L'\b'});
    EXPECT_EQ(RepeatCountText(), L"12");
    // A comma passes the filter but the field's digits-only style refuses it.
    Type(field, {L','});
    EXPECT_EQ(RepeatCountText(), L"12");
    // Ctrl+A, Ctrl+X, Ctrl+V and Ctrl+Z arrive as control characters and do nothing.
    PutOnClipboard(gMainWindow, L"99");
    Type(field, {0x01, 0x18, 0x16, 0x1A});
    EXPECT_EQ(RepeatCountText(), L"12");
}

TEST_F(MainWindowTest, FilterLetsOneCommaThroughWhenTheFieldWouldTakeIt)
{
    // Without its digits-only style the field would take any character; what still comes
    // through is exactly what the filter passes.
    const HWND field = Gadget(RepeatCountField);
    SetWindowLongW(field, GWL_STYLE, GetWindowLongW(field, GWL_STYLE) & ~ES_NUMBER);
    SetWindowTextW(field, L"");
    Type(field, {L'2', L',', L'5', L',', L'x', L'1'});
    EXPECT_EQ(RepeatCountText(), L"2,51");
    Type(field, {L'\b', L'\b', L'\b'});
    EXPECT_EQ(RepeatCountText(), L"2");
    Type(field, {L',', L'7'});  // the comma is gone again, so one may be typed
    EXPECT_EQ(RepeatCountText(), L"2,7");
}

TEST_F(MainWindowTest, PastingIsNotFiltered)
{
    const HWND field = Gadget(RepeatCountField);
    SetWindowTextW(field, L"");
    PutOnClipboard(gMainWindow, L"2,5");
    SendMessageW(field, WM_PASTE, 0, 0);
    EXPECT_EQ(RepeatCountText(), L"2,5");
    SetWindowTextW(field, L"3,5");
    EXPECT_EQ(RepeatCountText(), L"3,5");
}

TEST_F(MainWindowTest, TabOrderIsListFieldAndTheThreeButtons)
{
    const HWND order[] = {Gadget(RecordingsList), Gadget(RepeatCountField), Gadget(PlayButton), Gadget(RenameButton),
                          Gadget(RemoveButton)};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(GetNextDlgTabItem(gMainWindow, order[i], FALSE), order[(i + 1) % 5]) << i;
        EXPECT_EQ(GetNextDlgTabItem(gMainWindow, order[(i + 1) % 5], TRUE), order[i]) << i;
    }
}

// A click that ends WaitWindowEvent once the messages before it have been handled.
void PostSentinelClick()
{
    PostMessageW(gMainWindow, WM_COMMAND, MAKEWPARAM(RemoveButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(gMainWindow, RemoveButton)));
}

void PressTab(bool shift)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    PostSentinelClick();
    const WindowEvent event = WaitWindowEvent();
    EXPECT_EQ(event.gadget, RemoveButton);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

TEST_F(MainWindowTest, TabAndShiftTabMoveTheFocusInTheWait)
{
    SetFocus(Gadget(RecordingsList));
    ASSERT_EQ(GetFocus(), Gadget(RecordingsList));
    PressTab(false);
    EXPECT_EQ(GetFocus(), Gadget(RepeatCountField));
    PressTab(false);
    EXPECT_EQ(GetFocus(), Gadget(PlayButton));
    PressTab(true);
    EXPECT_EQ(GetFocus(), Gadget(RepeatCountField));
    PressTab(true);
    EXPECT_EQ(GetFocus(), Gadget(RecordingsList));
    PressTab(true);
    EXPECT_EQ(GetFocus(), Gadget(RemoveButton));  // wraps around
}

TEST_F(MainWindowTest, ButtonClicksBecomeGadgetEventsInOrder)
{
    for (int button : {PlayButton, RenameButton, RemoveButton}) PostMessageW(Gadget(button), BM_CLICK, 0, 0);
    for (int button : {PlayButton, RenameButton, RemoveButton}) {
        const WindowEvent event = WaitWindowEvent();
        EXPECT_EQ(event.kind, WindowEventKind::Gadget);
        EXPECT_EQ(event.gadget, button);
    }
}

TEST_F(MainWindowTest, OtherGadgetNotificationsAreNoEvents)
{
    const HWND list = Gadget(RecordingsList);
    PostMessageW(gMainWindow, WM_COMMAND, MAKEWPARAM(RecordingsList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    PostMessageW(gMainWindow, WM_COMMAND, MAKEWPARAM(RecordingsList, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    PostMessageW(gMainWindow, WM_COMMAND, MAKEWPARAM(RepeatCountField, EN_CHANGE),
                 reinterpret_cast<LPARAM>(Gadget(RepeatCountField)));
    // The button notifications that are not clicks.
    PostMessageW(gMainWindow, WM_COMMAND, MAKEWPARAM(PlayButton, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(Gadget(PlayButton)));
    PostSentinelClick();
    const WindowEvent event = WaitWindowEvent();
    EXPECT_EQ(event.kind, WindowEventKind::Gadget);
    EXPECT_EQ(event.gadget, RemoveButton);
}

TEST_F(MainWindowTest, CloseBoxSystemMenuAndAltF4AskToCloseAndDestroyNothing)
{
    PostMessageW(gMainWindow, WM_CLOSE, 0, 0);
    PostMessageW(gMainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageW(gMainWindow, WM_SYSKEYDOWN, VK_F4, 1 | (KF_ALTDOWN << 16));
    for (int i = 0; i < 3; ++i) {
        const WindowEvent event = WaitWindowEvent();
        EXPECT_EQ(event.kind, WindowEventKind::CloseRequest) << i;
    }
    EXPECT_TRUE(IsWindow(gMainWindow));
    EXPECT_TRUE(IsWindowVisible(gMainWindow));
}

// Any program can post WM_QUIT to the main thread by its id: it must not end the program.
TEST_F(MainWindowTest, QuitMessageFromOutsideIsIgnored)
{
    PostThreadMessageW(GetCurrentThreadId(), WM_QUIT, 0, 0);
    PostSentinelClick();
    const WindowEvent event = WaitWindowEvent();
    EXPECT_NE(event.kind, WindowEventKind::CloseRequest);
    EXPECT_EQ(event.gadget, RemoveButton);
}

// Events that arrive while another loop dispatches (a dialog's) wait for the event loop.
TEST_F(MainWindowTest, EventsFromNestedLoopsAreKept)
{
    SendMessageW(Gadget(RenameButton), BM_CLICK, 0, 0);
    SendMessageW(gMainWindow, WM_CLOSE, 0, 0);
    const WindowEvent first = WaitWindowEvent();
    EXPECT_EQ(first.kind, WindowEventKind::Gadget);
    EXPECT_EQ(first.gadget, RenameButton);
    EXPECT_EQ(WaitWindowEvent().kind, WindowEventKind::CloseRequest);
}

struct SeenMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<SeenMessage> gSeen;

bool RecordingCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    EXPECT_EQ(window, gMainWindow);
    gSeen.push_back({message, wParam, lParam});
    return true;  // a callback's answer does not stop the window's own handling
}

bool Saw(UINT message, WPARAM wParam)
{
    for (const SeenMessage& m : gSeen)
        if (m.message == message && m.wParam == wParam) return true;
    return false;
}

TEST_F(MainWindowTest, CallbackSeesEveryMessageBeforeTheWindowHandlesIt)
{
    gSeen.clear();
    InstallMainWindowCallback(RecordingCallback);
    SendMessageW(gMainWindow, 0x0400 + 750, 0x100, 0x78);
    PostMessageW(gMainWindow, 12501, 0, WM_LBUTTONDOWN);
    PostMessageW(Gadget(PlayButton), BM_CLICK, 0, 0);
    PostMessageW(gMainWindow, WM_CLOSE, 0, 0);
    const WindowEvent click = WaitWindowEvent();
    EXPECT_EQ(click.gadget, PlayButton);
    EXPECT_EQ(WaitWindowEvent().kind, WindowEventKind::CloseRequest);
    ASSERT_FALSE(gSeen.empty());
    EXPECT_EQ(gSeen[0].message, 0x0400u + 750);
    EXPECT_EQ(gSeen[0].lParam, 0x78);
    EXPECT_TRUE(Saw(12501, 0));
    EXPECT_TRUE(Saw(WM_COMMAND, MAKEWPARAM(PlayButton, BN_CLICKED)));
    EXPECT_TRUE(Saw(WM_CLOSE, 0));
}

TEST_F(MainWindowTest, HideKeepsTheContentsAndShowActivatesAgain)
{
    AppendRecordingsListEntry(L"Login");
    AppendRecordingsListEntry(L"Tagesbericht");
    SendMessageW(Gadget(RecordingsList), LB_SETCURSEL, 1, 0);
    SetWindowTextW(Gadget(RepeatCountField), L"4");
    const HWND other = OpenPlainWindow(L"other", 600);
    ASSERT_TRUE(BringToForeground(other));

    HideMainWindow();
    EXPECT_FALSE(IsWindowVisible(gMainWindow));
    EXPECT_TRUE(IsWindowEnabled(gMainWindow));
    EXPECT_EQ(SelectedRecordingName(), L"Tagesbericht");
    EXPECT_EQ(RepeatCountText(), L"4");

    ShowMainWindow();
    EXPECT_TRUE(IsWindowVisible(gMainWindow));
    EXPECT_FALSE(IsIconic(gMainWindow));
    EXPECT_FALSE(IsZoomed(gMainWindow));
    EXPECT_TRUE(PumpUntil([] { return GetForegroundWindow() == gMainWindow; }));
    EXPECT_EQ(SelectedRecordingName(), L"Tagesbericht");
    DestroyWindow(other);
}

TEST_F(MainWindowTest, ShowComesBackMinimisedOrMaximisedAsItWas)
{
    ShowWindow(gMainWindow, SW_MINIMIZE);
    HideMainWindow();
    EXPECT_FALSE(IsWindowVisible(gMainWindow));
    ShowMainWindow();
    EXPECT_TRUE(IsWindowVisible(gMainWindow));
    EXPECT_TRUE(IsIconic(gMainWindow));

    ShowWindow(gMainWindow, SW_RESTORE);
    ShowWindow(gMainWindow, SW_MAXIMIZE);
    HideMainWindow();
    ShowMainWindow();
    EXPECT_TRUE(IsWindowVisible(gMainWindow));
    EXPECT_TRUE(IsZoomed(gMainWindow));
}

// Unattended mode: the window is created invisible and topmost, and takes no focus.
TEST(MainWindowHidden, OpensInvisibleTopmostWithoutTakingTheFocus)
{
    const HWND other = OpenPlainWindow(L"target application", 100);
    ASSERT_TRUE(BringToForeground(other));
    ASSERT_NE(OpenMainWindow(false), nullptr);
    PumpUntil([] { return false; }, 300);
    EXPECT_FALSE(IsWindowVisible(gMainWindow));
    EXPECT_TRUE(IsTopmost(gMainWindow));
    EXPECT_EQ(GetForegroundWindow(), other);
    EXPECT_NE(GetActiveWindow(), gMainWindow);
    EXPECT_FALSE(IsChild(gMainWindow, GetFocus()));
    EXPECT_TRUE(IsChild(gMainWindow, GetDlgItem(gMainWindow, F9Label)));
    DestroyMainWindow();
    EXPECT_EQ(gMainWindow, nullptr);
    DestroyWindow(other);
}

}  // namespace
