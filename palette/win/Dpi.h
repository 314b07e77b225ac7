#pragma once

#include <windows.h>

// Per-monitor DPI support, bound by name from user32 so that the program
// also starts on systems that lack it (it then works at the system DPI).
namespace palette::dpi {

// Asks for per-monitor DPI awareness for the whole process; call first.
void BecomePerMonitorAware();

// The DPI of the monitor a window is on (96 is 100 %).
UINT ForWindow(HWND window);
// The DPI of the monitor at a point of the screen.
UINT ForPoint(POINT at);

// The outer rectangle of a window with this client rectangle, at `dpi`.
RECT OuterRect(RECT client, DWORD style, DWORD exStyle, UINT dpi);

// The system's message font, at `dpi`.
HFONT MessageFont(UINT dpi);

} // namespace palette::dpi
