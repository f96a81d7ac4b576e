// The main window and the input dialog at the display scale of the Wine prefix the test runs in
// (TANDREL_TEST_DPI: 96 in the build's prefix, 144 and 192 in prefixes of their own): sizes and
// places scaled from the 96-DPI figures, every text fitting its gadget in the gadget's own font,
// icons at the DPI's sizes, the layout again after WM_DPICHANGED, the fonts and icons the
// program made given back; and the manifest's DPI awareness as the system reads it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core/UserTexts.h"
#include "support/BlueIconImage.h"
#include "ui/IconData.h"
#include "ui/IconFromMemory.h"
#include "ui/InputDialog.h"
#include "ui/MainWindow.h"
#include "ui/Tray.h"

namespace {

// --- Small helpers of this test's own ---

int TestDpi()
{
    wchar_t value[16] = {};
    if (GetEnvironmentVariableW(L"TANDREL_TEST_DPI", value, 16) == 0) return 96;
    return _wtoi(value);
}

int Scaled(int value, int dpi)
{
    return MulDiv(value, dpi, 96);
}

template <typename Function>
Function User32Function(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

SIZE FrameExtent(DWORD style, int dpi)
{
    RECT r{0, 0, 0, 0};
    const auto adjust = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (adjust == nullptr || !adjust(&r, style, FALSE, 0, static_cast<UINT>(dpi))) return {-1, -1};
    return {r.right - r.left, r.bottom - r.top};
}

LONG MessageFontHeight(int dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    const auto get = User32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    if (get == nullptr || !get(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) return 0;
    return metrics.lfMessageFont.lfHeight;
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT PlaceInParent(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND window)
{
    RECT r;
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

HFONT FontOf(HWND window)
{
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

// The text of a gadget as it draws it: measured with its own font in its own device context.
SIZE TextExtent(HWND gadget)
{
    const std::wstring text = TextOf(gadget);
    const HDC dc = GetDC(gadget);
    const HGDIOBJ old = SelectObject(dc, FontOf(gadget));
    SIZE extent{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(gadget, dc);
    return extent;
}

SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info)) return {0, 0};
    BITMAP bm{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return {bm.bmWidth, bm.bmHeight};
}

// What each of the three scales should give, written out rather than computed: the main
// window's client area and the system's small and large icon sizes.
struct Scale {
    int dpi, clientWidth, clientHeight, smallIcon, largeIcon;
};
constexpr Scale Scales[] = {{96, 405, 300, 16, 32}, {144, 608, 450, 24, 48}, {192, 810, 600, 32, 64}};

Scale ScaleAt(int dpi)
{
    for (const Scale& s : Scales)
        if (s.dpi == dpi) return s;
    ADD_FAILURE() << "no figures for " << dpi << " DPI";
    return {dpi, 0, 0, 0, 0};
}

HICON WindowIcon(HWND window, WPARAM which)
{
    return reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
}

// The gadget's font is the user-interface font for the DPI: the stock one where the layout was
// drawn (96 DPI on a 96-DPI system), else the message font of that DPI.
void ExpectInterfaceFont(HWND gadget, int dpi)
{
    const HFONT font = FontOf(gadget);
    const HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (dpi == 96 && TestDpi() == 96) {
        EXPECT_EQ(font, stock);
        return;
    }
    EXPECT_NE(font, stock);
    LOGFONTW face{};
    ASSERT_EQ(GetObjectW(font, sizeof face, &face), static_cast<int>(sizeof face));
    EXPECT_EQ(face.lfHeight, MessageFontHeight(dpi));
}

// A font the program made is deleted; the stock font is only let go.
void ExpectGivenBack(HFONT font, const char* what)
{
    if (font == GetStockObject(DEFAULT_GUI_FONT)) return;
    EXPECT_EQ(GetObjectType(font), 0u) << what;
}

struct Place {
    int x, y, width, height;
};

// A child window at its 96-DPI place scaled, in the DPI's font, its text on one line and whole:
// measured in the child's own font, no wider and no higher than the child's client area.
void ExpectChildAt(HWND child, const Place& place, int dpi)
{
    ASSERT_NE(child, nullptr);
    const RECT r = PlaceInParent(child);
    EXPECT_EQ(r.left, Scaled(place.x, dpi));
    EXPECT_EQ(r.top, Scaled(place.y, dpi));
    EXPECT_EQ(r.right - r.left, Scaled(place.width, dpi));
    EXPECT_EQ(r.bottom - r.top, Scaled(place.height, dpi));
    ExpectInterfaceFont(child, dpi);
    const SIZE text = TextExtent(child), client = ClientSize(child);
    EXPECT_LE(text.cx, client.cx) << "text cut at " << client.cx << " px";
    EXPECT_LE(text.cy, client.cy);
}

// --- The main window ---

// The layout at 96 DPI (the existing layout test's figures).
constexpr Place GadgetPlaces[10] = {{5, 5, 395, 240},   {10, 20, 385, 155},  {15, 185, 175, 15},  {195, 182, 40, 20},
                                    {10, 210, 125, 30}, {140, 210, 125, 30}, {270, 210, 125, 30}, {10, 255, 175, 15},
                                    {10, 275, 125, 15}, {210, 265, 110, 15}};

constexpr DWORD MainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

class ScaledMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(OpenMainWindow(true), nullptr);
    }
    void TearDown() override
    {
        DestroyMainWindow();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    static HWND Gadget(int number)
    {
        return GetDlgItem(gMainWindow, number);
    }

    // Every gadget where and as it should be at the DPI; the icons at the DPI's sizes.
    static void ExpectLaidOutAt(int dpi)
    {
        for (int number = 0; number < 10; ++number) {
            SCOPED_TRACE(testing::Message() << "gadget " << number << " at " << dpi << " DPI");
            ExpectChildAt(Gadget(number), GadgetPlaces[number], dpi);
        }
        EXPECT_EQ(IconSize(WindowIcon(gMainWindow, ICON_SMALL)).cx, ScaleAt(dpi).smallIcon);
        EXPECT_EQ(IconSize(WindowIcon(gMainWindow, ICON_BIG)).cx, ScaleAt(dpi).largeIcon);
    }
};

TEST_F(ScaledMainWindow, ClientAreaAndEveryGadgetAreScaledToTheDisplaysDpi)
{
    const int dpi = TestDpi();
    const auto getDpi = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    ASSERT_NE(getDpi, nullptr);
    ASSERT_EQ(static_cast<int>(getDpi(gMainWindow)), dpi) << "the Wine prefix is not at the DPI the test expects";

    const Scale expected = ScaleAt(dpi);
    const SIZE client = ClientSize(gMainWindow);
    EXPECT_EQ(client.cx, expected.clientWidth);
    EXPECT_EQ(client.cy, expected.clientHeight);
    // The frame is the system's for the DPI, centred on the screen.
    const SIZE extent = FrameExtent(MainWindowStyle, dpi);
    RECT outer;
    GetWindowRect(gMainWindow, &outer);
    EXPECT_EQ(outer.right - outer.left, expected.clientWidth + extent.cx);
    EXPECT_EQ(outer.bottom - outer.top, expected.clientHeight + extent.cy);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);

    ExpectLaidOutAt(dpi);
}

TEST_F(ScaledMainWindow, DpiChangeLaysOutAgainInTheSuggestedFrameAndGivesBackTheOldFontAndIcons)
{
    const int first = TestDpi();
    const int second = first == 96 ? 192 : 96;
    const HFONT firstFont = FontOf(Gadget(RepeatLabel));
    const HICON firstSmallIcon = WindowIcon(gMainWindow, ICON_SMALL);

    // The window moves to a display at the other scale: the system suggests a frame there.
    const SIZE extent = FrameExtent(MainWindowStyle, second);
    RECT suggested{40, 30, 40 + Scaled(405, second) + extent.cx, 30 + Scaled(300, second) + extent.cy};
    SendMessageW(gMainWindow, WM_DPICHANGED, MAKEWPARAM(second, second), reinterpret_cast<LPARAM>(&suggested));
    RECT outer;
    GetWindowRect(gMainWindow, &outer);
    EXPECT_EQ(outer.left, suggested.left);
    EXPECT_EQ(outer.top, suggested.top);
    EXPECT_EQ(outer.right, suggested.right);
    EXPECT_EQ(outer.bottom, suggested.bottom);
    ExpectLaidOutAt(second);
    ExpectGivenBack(firstFont, "the replaced font was not deleted");
    EXPECT_EQ(IconSize(firstSmallIcon).cx, 0) << "the replaced icon was not destroyed";

    // And back: the same layout as at the start.
    const HFONT secondFont = FontOf(Gadget(RepeatLabel));
    const SIZE backExtent = FrameExtent(MainWindowStyle, first);
    RECT back{60, 50, 60 + Scaled(405, first) + backExtent.cx, 50 + Scaled(300, first) + backExtent.cy};
    SendMessageW(gMainWindow, WM_DPICHANGED, MAKEWPARAM(first, first), reinterpret_cast<LPARAM>(&back));
    ExpectLaidOutAt(first);
    ExpectGivenBack(secondFont, "the replaced font was not deleted");

    // Closing gives back the font and icons of the last layout.
    const HFONT lastFont = FontOf(Gadget(RepeatLabel));
    const HICON lastLargeIcon = WindowIcon(gMainWindow, ICON_BIG);
    DestroyMainWindow();
    ExpectGivenBack(lastFont, "the font outlived the window");
    EXPECT_EQ(IconSize(lastLargeIcon).cx, 0) << "the icon outlived the window";
}

// --- The input dialog ---

// The dialog is modal: a thread timer inspects it from inside its message loop, then closes it.
struct DialogVisit {
    std::function<void(HWND)> inspect;
    DWORD start = 0;
    bool done = false;
};
DialogVisit* gVisit = nullptr;

BOOL CALLBACK FindInputDialog(HWND window, LPARAM found)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wstring(name) != L"InputRequester" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

void CALLBACK VisitDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (gVisit == nullptr || gVisit->done) return;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindInputDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) {
        if (GetTickCount() - gVisit->start < 10000) return;
        ADD_FAILURE() << "the input dialog did not appear";
        gVisit->done = true;
        KillTimer(nullptr, timer);
        // Closed even when not visible, so that the test goes on (a WM_QUIT no longer ends it).
        const HWND hidden = FindWindowW(L"InputRequester", nullptr);
        if (hidden != nullptr) PostMessageW(hidden, WM_CLOSE, 0, 0);
        return;
    }
    gVisit->done = true;
    KillTimer(nullptr, timer);
    gVisit->inspect(dialog);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
}

void VisitInputDialog(const wchar_t* prompt, const std::function<void(HWND)>& inspect)
{
    DialogVisit visit{inspect, GetTickCount(), false};
    gVisit = &visit;
    SetTimer(nullptr, 0, 50, VisitDialog);
    InputDialog(RenamingTitle, prompt, L"Wochenbericht");
    gVisit = nullptr;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    EXPECT_TRUE(visit.done);
}

constexpr DWORD DialogStyle = WS_CAPTION | WS_SYSMENU;
// Prompt, entry field and OK button at 96 DPI, by control identifier.
struct DialogChild {
    int id;
    Place place;
};
constexpr DialogChild DialogChildren[3] = {{0, {10, 10, 280, 22}}, {10, {10, 32, 275, 21}}, {1000, {110, 67, 80, 25}}};

// The dialog is 300 x 130 outside at 96 DPI; its client part scales, its frame is the DPI's.
RECT DialogFrame(int left, int top, int dpi)
{
    const SIZE designExtent = FrameExtent(DialogStyle, 96), extent = FrameExtent(DialogStyle, dpi);
    return {left, top, left + Scaled(300 - designExtent.cx, dpi) + extent.cx,
            top + Scaled(130 - designExtent.cy, dpi) + extent.cy};
}

// Every child where and as it should be at the DPI; the caption's icon at the DPI's size.
void ExpectDialogChildrenAt(HWND dialog, int dpi)
{
    for (const DialogChild& c : DialogChildren) {
        SCOPED_TRACE(testing::Message() << "dialog child " << c.id << " at " << dpi << " DPI");
        ExpectChildAt(GetDlgItem(dialog, c.id), c.place, dpi);
    }
    EXPECT_EQ(IconSize(WindowIcon(dialog, ICON_SMALL)).cx, ScaleAt(dpi).smallIcon);
}

TEST(ScaledInputDialog, ScaledAtTheDisplaysDpiAndAgainAfterADpiChange)
{
    const int first = TestDpi();
    const int second = first == 96 ? 144 : 96;
    HFONT firstFont = nullptr, secondFont = nullptr;
    VisitInputDialog(RenamingPrompt, [&](HWND dialog) {  // the longer of the two prompts
        RECT outer;
        GetWindowRect(dialog, &outer);
        const RECT expected = DialogFrame(outer.left, outer.top, first);
        EXPECT_EQ(outer.right, expected.right);
        EXPECT_EQ(outer.bottom, expected.bottom);
        ExpectDialogChildrenAt(dialog, first);
        firstFont = FontOf(GetDlgItem(dialog, 0));

        RECT suggested = DialogFrame(20, 30, second);
        SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(second, second), reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(dialog, &outer);
        EXPECT_EQ(outer.left, suggested.left);
        EXPECT_EQ(outer.top, suggested.top);
        EXPECT_EQ(outer.right, suggested.right);
        EXPECT_EQ(outer.bottom, suggested.bottom);
        ExpectDialogChildrenAt(dialog, second);
        secondFont = FontOf(GetDlgItem(dialog, 0));
        // The entry field is the same one, with the text it had.
        EXPECT_EQ(TextOf(GetDlgItem(dialog, 10)), L"Wochenbericht");
    });
    ASSERT_NE(secondFont, nullptr);
    ExpectGivenBack(firstFont, "the replaced font was not deleted");
    ExpectGivenBack(secondFont, "the font outlived the dialog");
}

// --- Icons at the DPI's sizes ---

// Draws the icon at its own size onto magenta and reads the top-left pixel back.
COLORREF TopLeftPixel(HICON icon, int size)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const HDC dc = CreateCompatibleDC(nullptr);
    DWORD* bits = nullptr;
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    for (int i = 0; i < size * size; ++i) bits[i] = 0x00FF00FF;
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const DWORD pixel = bits[0] & 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixel;
}

TEST(ScaledIcons, MadeAtTheAskedSizeFromTheClosestImage)
{
    constexpr DWORD Blue = 0x0000FF;             // as read from the bitmap: 0x00RRGGBB
    constexpr DWORD Magenta = 0xFF00FF;          // the Idle icon's corners are transparent
    const auto file = IdleIconWithBlueImage(2);  // the 16 x 16 true-colour image
    struct Case {
        int size;
        DWORD corner;
    };
    // 16 and 20 come from the 16 x 16 image; 24 and up from the 32 x 32 one.
    for (const Case c : {Case{16, Blue}, Case{20, Blue}, Case{24, Magenta}, Case{32, Magenta}, Case{64, Magenta}}) {
        SCOPED_TRACE(c.size);
        const HICON icon = LoadIconFromMemoryAtSize(file.data(), c.size);
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(IconSize(icon).cx, c.size);
        EXPECT_EQ(IconSize(icon).cy, c.size);
        EXPECT_EQ(TopLeftPixel(icon, c.size), c.corner);
        DestroyIcon(icon);
    }
    EXPECT_EQ(LoadIconFromMemoryAtSize(file.data(), 0), nullptr);
    EXPECT_EQ(LoadIconFromMemoryAtSize(nullptr, 16), nullptr);
}

TEST(ScaledIcons, TheNotificationAreaGetsTheSmallIconSizeOfTheDisplay)
{
    const int expected = ScaleAt(TestDpi()).smallIcon;
    EXPECT_EQ(TrayIconSize(), expected);
    const HICON icon = LoadIconFromMemoryAtSize(ActiveIconData, TrayIconSize());
    EXPECT_EQ(IconSize(icon).cx, expected);
    DestroyIcon(icon);
}

// --- The manifest, read by the system's own parser ---

// The program in TANDREL_DIST_DIR, a Unix path, as Wine's Z: drive sees it.
std::wstring ShippedProgram()
{
    wchar_t value[1024] = {};
    if (GetEnvironmentVariableW(L"TANDREL_DIST_DIR", value, 1024) == 0) return L"";
    std::wstring path = std::wstring(L"Z:") + value + L"/Tandrel.exe";
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

std::wstring ManifestSetting(HANDLE context, const wchar_t* space, const wchar_t* name)
{
    wchar_t value[128] = {};
    SIZE_T written = 0;
    if (!QueryActCtxSettingsW(0, context, space, name, value, 128, &written)) return L"(none)";
    return value;
}

TEST(ScaledManifest, DeclaresPerMonitorAwarenessWithTheOlderFallback)
{
    const std::wstring program = ShippedProgram();
    ASSERT_FALSE(program.empty()) << "TANDREL_DIST_DIR is not set";
    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = program.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    const HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE);
    const wchar_t* settings2005 = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";
    const wchar_t* settings2016 = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";
    EXPECT_EQ(ManifestSetting(context, settings2005, L"dpiAware"), L"true/pm");
    EXPECT_EQ(ManifestSetting(context, settings2016, L"dpiAwareness"), L"PerMonitorV2, PerMonitor");
    // Each in its own namespace only: a system reads neither under the other's.
    EXPECT_EQ(ManifestSetting(context, settings2016, L"dpiAware"), L"(none)");
    EXPECT_EQ(ManifestSetting(context, settings2005, L"dpiAwareness"), L"(none)");
    ReleaseActCtx(context);
}

}  // namespace
