// Glyphinstall on Windows: the native wizard over the Win32 probes, file
// operations and desktop actions.

#include "Win32Desktop.h"
#include "Win32FileSystem.h"
#include "Win32SystemProbe.h"
#include "Win32Wizard.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // Buttons in the system's visual style (the manifest asks for version 6
    // of the common controls).
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    installer::win::Win32SystemProbe probe;
    installer::win::Win32FileSystem files;
    installer::win::Win32Desktop desktop;
    installer::win::Win32Wizard wizard(instance, probe, files, desktop);
    return wizard.Run(show);
}
