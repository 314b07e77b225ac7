// A marked stand-in for Glyphboard.exe on the Windows medium while the
// Windows palette is not part of this build: a window that says so, so
// that an installation can be tried end to end.

#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"GlyphboardStandIn";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowW(L"GlyphboardStandIn", L"Glyphboard STAND-IN: not the palette",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 360, 120,
                                nullptr, nullptr, instance, nullptr);
    CreateWindowW(L"STATIC", L"PLACEHOLDER: this build has no Windows palette yet.", WS_CHILD | WS_VISIBLE,
                  10, 10, 330, 40, window, nullptr, instance, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
