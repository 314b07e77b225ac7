#pragma once

namespace glyphboard::win {

// Puts a window above every window that is not itself topmost, keeping its
// place and size (user32 SetWindowPos with HWND_TOPMOST and SWP_NOMOVE |
// SWP_NOSIZE). SetWindowPos is bound by name from user32 at the first call;
// when it cannot be bound, or refuses, the window stays an ordinary one.
// `window` is an HWND.
void SetTopmostWindow(void* window);

} // namespace glyphboard::win
