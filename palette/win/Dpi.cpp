#include "Dpi.h"

namespace palette::dpi {
namespace {

template <typename Function>
Function Bind(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (!module)
        module = LoadLibraryA(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

} // namespace

void BecomePerMonitorAware()
{
    using SetContext = BOOL(WINAPI*)(HANDLE);
    using SetAware = BOOL(WINAPI*)();
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then the original
    // per-monitor mode, then system awareness on older systems.
    if (auto set = Bind<SetContext>("user32", "SetProcessDpiAwarenessContext")) {
        if (set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))
            || set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3))))
            return;
    }
    if (auto set = Bind<SetAware>("user32", "SetProcessDPIAware"))
        set();
}

UINT ForWindow(HWND window)
{
    using GetDpi = UINT(WINAPI*)(HWND);
    static const auto getDpi = Bind<GetDpi>("user32", "GetDpiForWindow");
    if (getDpi && window) {
        if (const UINT dpi = getDpi(window))
            return dpi;
    }
    HDC screen = GetDC(nullptr);
    const UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return dpi ? dpi : 96;
}

UINT ForPoint(POINT at)
{
    using GetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpi = Bind<GetDpiForMonitor>("shcore", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (getDpi && SUCCEEDED(getDpi(MonitorFromPoint(at, MONITOR_DEFAULTTOPRIMARY), 0, &x, &y)) && y)
        return y;
    return ForWindow(nullptr);
}

RECT OuterRect(RECT client, DWORD style, DWORD exStyle, UINT dpi)
{
    using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = Bind<Adjust>("user32", "AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&client, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    return client;
}

HFONT MessageFont(UINT dpi)
{
    using Parameters = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto parameters = Bind<Parameters>("user32", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (parameters && parameters(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return CreateFontIndirectW(&metrics.lfMessageFont);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    // At the system DPI; scale the height to the window's.
    HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), systemDpi);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

} // namespace palette::dpi
