// SetTopmost through user32, on a plain Win32 window under wine.

#include "Check.h"
#include "SetTopmostWin.h"

#include <windows.h>

namespace {

HWND CreatePlainWindow(int left, int top)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"GlyphboardTopmostTest";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"test", WS_OVERLAPPEDWINDOW, left, top, 300, 200, nullptr,
                           nullptr, windowClass.hInstance, nullptr);
}

bool IsTopmost(HWND window)
{
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The window becomes topmost and keeps its place and size, visible or not.
void WindowBecomesTopmostInPlace()
{
    for (const bool visible : {false, true}) {
        HWND window = CreatePlainWindow(40, 60);
        CHECK(window != nullptr);
        if (visible)
            ShowWindow(window, SW_SHOWNOACTIVATE);
        RECT before = {};
        GetWindowRect(window, &before);
        CHECK(!IsTopmost(window));

        glyphboard::win::SetTopmostWindow(window);

        RECT after = {};
        GetWindowRect(window, &after);
        CHECK(IsTopmost(window));
        CHECK(SameRect(before, after));
        CHECK_EQ(IsWindowVisible(window) != FALSE, visible);
        DestroyWindow(window);
    }
}

// A refused call is not reported and harms nothing.
void InvalidWindowIsIgnored()
{
    glyphboard::win::SetTopmostWindow(nullptr);
    glyphboard::win::SetTopmostWindow(reinterpret_cast<void*>(static_cast<INT_PTR>(0x7fff1234)));
}

} // namespace

int main()
{
    return check::Run({
        {"WindowBecomesTopmostInPlace", WindowBecomesTopmostInPlace},
        {"InvalidWindowIsIgnored", InvalidWindowIsIgnored},
    });
}
