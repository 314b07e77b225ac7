#pragma once

// Whether GDI knows a font family by name: what a program that asks for the
// family by name gets after the fonts are installed.

#include <windows.h>

namespace testing_win {

inline int CALLBACK CountFamily(const ENUMLOGFONTEXW*, const NEWTEXTMETRICEXW*, DWORD, LPARAM found)
{
    ++*reinterpret_cast<int*>(found);
    return 1;
}

inline bool KnowsFamily(const wchar_t* family)
{
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, family, LF_FACESIZE);
    HDC screen = GetDC(nullptr);
    int found = 0;
    EnumFontFamiliesExW(screen, &wanted, reinterpret_cast<FONTENUMPROCW>(CountFamily),
                        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found > 0;
}

} // namespace testing_win
