#include "SetTopmost.h"

#include <QWidget>

#ifdef Q_OS_WIN
#include "SetTopmostWin.h"
#endif

void SetTopmost(QWidget& window)
{
    const bool wasVisible = window.isVisible();
    const QRect clientArea = window.geometry();
    // Changing window flags re-creates the native window, hides it and
    // places its frame (not its client area) at the old position. Put the
    // client area back and show the window again, so that the call keeps
    // the window where it was. Qt then keeps the hint whenever it
    // re-creates the native window.
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window.setGeometry(clientArea);
    if (wasVisible)
        window.show();
#ifdef Q_OS_WIN
    // The system's own call as well; winId() creates the native window
    // first if it does not exist yet.
    glyphboard::win::SetTopmostWindow(reinterpret_cast<void*>(window.winId()));
#endif
}
