#include "Win32Desktop.h"

#include "WinText.h"

#include <windows.h>
#include <shellapi.h>

// shell32 export 60, imported by number (shell32-ordinals.def): the shell's
// dialog for shutting down or restarting Windows.
extern "C" __declspec(dllimport) void WINAPI ShellShutdownDialog(HWND owner);

namespace installer::win {

void Win32Desktop::ExploreFolder(const std::u16string& path)
{
    const std::string folder = glyphboard::win::ToAnsi(path);
    ShellExecuteA(nullptr, "Explore", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Desktop::ShowShutdownDialog()
{
    ShellShutdownDialog(nullptr);
}

} // namespace installer::win
