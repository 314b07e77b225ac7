#include "SetTopmost.h"

#include <QWidget>

void SetTopmost(QWidget& window)
{
    const bool wasVisible = window.isVisible();
    const QRect clientArea = window.geometry();
    // Changing window flags re-creates the native window, hides it and
    // places its frame (not its client area) at the old position. Put the
    // client area back and show the window again, so that the call keeps
    // the window where it was.
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window.setGeometry(clientArea);
    if (wasVisible)
        window.show();
}
