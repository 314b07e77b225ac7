// The end-to-end test's eyes and hands inside the wine prefix:
//
//   installer_e2e_probe templates             the templates folder TemplatesFolder names here
//   installer_e2e_probe texts                 every shown control of the wizard, one per line
//   installer_e2e_probe layers                the wizard's five top layers, topmost first
//   installer_e2e_probe close                 asks the wizard window to close
//   installer_e2e_probe hold FILE FLAG        holds FILE open, unshared, until FLAG exists
//   installer_e2e_probe families NAME...      fails unless GDI knows every font family
//
// Output is UTF-8.

#include "FontFamilies.h"
#include "SystemFacts.h"
#include "Win32SystemProbe.h"
#include "WinText.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using glyphboard::win::ToUtf8;

HWND Wizard()
{
    return FindWindowW(L"GlyphinstallWizard", nullptr);
}

BOOL CALLBACK PrintShown(HWND control, LPARAM)
{
    if (!IsWindowVisible(control)) // also false when a page holding it is hidden
        return TRUE;
    wchar_t text[1024] = {};
    GetWindowTextW(control, text, 1024);
    if (text[0])
        std::printf("%s\n", ToUtf8(std::wstring_view(text)).c_str());
    return TRUE;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// A page's box: a blank label with a border, meant to lie under the page's
// captions and buttons.
bool IsBox(HWND control)
{
    return control && lstrcmpiW(ClassOf(control).c_str(), L"Static") == 0 && GetWindowTextLengthW(control) == 0
           && (GetWindowLongPtrW(control, GWL_STYLE) & WS_BORDER);
}

// One line for each of the wizard's five top layers, topmost first: a page
// and whether its box lies at its bottom, the logo icon, or any other
// control's class.
void PrintLayers(HWND wizard)
{
    HWND layer = GetWindow(wizard, GW_CHILD);
    for (int i = 0; i < 5 && layer; ++i, layer = GetWindow(layer, GW_HWNDNEXT)) {
        const std::wstring name = ClassOf(layer);
        if (name == L"GlyphinstallPage") {
            HWND first = GetWindow(layer, GW_CHILD);
            const bool boxAtBottom = first && IsBox(GetWindow(first, GW_HWNDLAST));
            std::printf("page %s\n", boxAtBottom ? "over its box" : "without its box at the bottom");
        } else if (lstrcmpiW(name.c_str(), L"Static") == 0
                   && (GetWindowLongPtrW(layer, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            std::printf("icon\n");
        } else {
            std::printf("%s\n", ToUtf8(std::wstring_view(name)).c_str());
        }
    }
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"templates") {
        installer::win::Win32SystemProbe probe;
        std::printf("%s\n", ToUtf8(installer::TemplatesFolder(installer::WindowsFolder(probe),
                                                              installer::CurrentUserName(probe),
                                                              installer::OsVersionName(probe)))
                                .c_str());
        return 0;
    }
    if (command == L"texts" || command == L"close" || command == L"layers") {
        HWND wizard = Wizard();
        if (!wizard) {
            std::fprintf(stderr, "no wizard window\n");
            return 1;
        }
        if (command == L"close")
            PostMessageW(wizard, WM_CLOSE, 0, 0);
        else if (command == L"layers")
            PrintLayers(wizard);
        else
            EnumChildWindows(wizard, PrintShown, 0);
        return 0;
    }
    if (command == L"hold" && argc == 4) {
        HANDLE file = CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "cannot open the file (error %lu)\n", GetLastError());
            return 1;
        }
        std::printf("held\n");
        std::fflush(stdout);
        while (GetFileAttributesW(argv[3]) == INVALID_FILE_ATTRIBUTES)
            Sleep(100);
        CloseHandle(file);
        return 0;
    }
    if (command == L"families" && argc > 2) {
        int missing = 0;
        for (int i = 2; i < argc; ++i) {
            const bool known = testing_win::KnowsFamily(argv[i]);
            std::printf("%s %s\n", known ? "found" : "missing", ToUtf8(std::wstring_view(argv[i])).c_str());
            missing += known ? 0 : 1;
        }
        return missing == 0 ? 0 : 1;
    }
    std::fprintf(stderr,
                 "usage: installer_e2e_probe templates|texts|layers|close|hold FILE FLAG|families NAME...\n");
    return 2;
}
