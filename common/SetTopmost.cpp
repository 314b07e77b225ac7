#include "SetTopmost.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include "SetTopmostWin.h"
#endif

void SetTopmost(QWidget& window)
{
#ifdef Q_OS_WIN
    // On Windows the native call keeps the window where it is; winId()
    // creates the native window first if it does not exist yet.
    glyphboard::win::SetTopmostWindow(reinterpret_cast<void*>(window.winId()));
#else
    const bool wasVisible = window.isVisible();
    // Changing window flags re-creates the native window and hides it;
    // show it again so that the call keeps the window where it was.
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (wasVisible)
        window.show();
#endif
}
