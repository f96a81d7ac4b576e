// The display scale as the system tells it (see DisplayScale.h). The per-DPI calls came with
// later systems than the program runs on, so each is looked up in user32 by name.
#include "ui/DisplayScale.h"

#include "core/ModuleExports.h"
#include "ui/DpiScaling.h"

namespace {

using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

// A figure the system gives for the system DPI, at another DPI.
int FromSystemDpi(int value, int dpi)
{
    return MulDiv(value, dpi, SystemDpi());
}

HFONT StockInterfaceFont()
{
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

int SystemDpi()
{
    if (const auto getDpiForSystem = LookUpLoadedExport<GetDpiForSystemFunction>(L"user32.dll", "GetDpiForSystem"))
        return static_cast<int>(getDpiForSystem());
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DesignDpi;
}

int WindowDpi(HWND window)
{
    if (const auto getDpiForWindow = LookUpLoadedExport<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow")) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);  // 0: no such window
    }
    return SystemDpi();
}

SIZE FrameExtentForDpi(DWORD style, DWORD exStyle, int dpi)
{
    RECT frame{0, 0, 0, 0};
    if (const auto adjust =
            LookUpLoadedExport<AdjustWindowRectExForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi")) {
        if (adjust(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi)))
            return {frame.right - frame.left, frame.bottom - frame.top};
    }
    frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return {FromSystemDpi(frame.right - frame.left, dpi), FromSystemDpi(frame.bottom - frame.top, dpi)};
}

int SystemMetricForDpi(int index, int dpi)
{
    if (const auto getMetric =
            LookUpLoadedExport<GetSystemMetricsForDpiFunction>(L"user32.dll", "GetSystemMetricsForDpi"))
        return getMetric(index, static_cast<UINT>(dpi));
    return FromSystemDpi(GetSystemMetrics(index), dpi);
}

InterfaceFont CreateInterfaceFont(int dpi)
{
    // The layout tables were drawn with the stock font at 96 DPI; there nothing changes.
    if (dpi == DesignDpi && SystemDpi() == DesignDpi) return {StockInterfaceFont(), false};
    if (const auto getForDpi =
            LookUpLoadedExport<SystemParametersInfoForDpiFunction>(L"user32.dll", "SystemParametersInfoForDpi")) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (getForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
            if (const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont)) return {font, true};
        }
    }
    // The stock font is made for the system DPI.
    if (dpi == SystemDpi()) return {StockInterfaceFont(), false};
    LOGFONTW face{};
    if (GetObjectW(StockInterfaceFont(), sizeof face, &face) == sizeof face) {
        face.lfHeight = FromSystemDpi(face.lfHeight, dpi);
        if (const HFONT font = CreateFontIndirectW(&face)) return {font, true};
    }
    return {StockInterfaceFont(), false};
}

void DestroyInterfaceFont(InterfaceFont& font)
{
    if (font.created && font.handle != nullptr) DeleteObject(font.handle);
    font = {nullptr, false};
}
