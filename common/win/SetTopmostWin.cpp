#include "SetTopmostWin.h"

#include <windows.h>

namespace glyphboard::win {

namespace {

using SetWindowPosFunction = BOOL(WINAPI*)(HWND, HWND, int, int, int, int, UINT);

SetWindowPosFunction BindSetWindowPos()
{
    HMODULE user32 = LoadLibraryA("user32");
    if (!user32)
        return nullptr;
    return reinterpret_cast<SetWindowPosFunction>(reinterpret_cast<void*>(GetProcAddress(user32, "SetWindowPos")));
}

} // namespace

void SetTopmostWindow(void* window)
{
    // Bound once; user32 stays loaded for the life of the program.
    static const SetWindowPosFunction setWindowPos = BindSetWindowPos();
    if (!setWindowPos)
        return;
    setWindowPos(static_cast<HWND>(window), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace glyphboard::win
