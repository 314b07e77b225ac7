// Glyphboard.exe: the palette window typing into Microsoft Word.

#include "Dpi.h"
#include "Form1Window.h"
#include "PictureBitmaps.h"
#include "WordDocumentLink.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    palette::dpi::BecomePerMonitorAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const palette::PictureBitmaps pictures;
    palette::Form1Window::RegisterClasses(instance);

    // The link outlives the window: Word's global object is released when
    // the program ends, after the last click.
    doclink::WordDocumentLink link;
    palette::Form1Window window(instance, link);
    window.Load();

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
