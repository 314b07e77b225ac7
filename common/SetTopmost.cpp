#include "SetTopmost.h"

#include <QWidget>

void SetTopmost(QWidget& window)
{
    const bool wasVisible = window.isVisible();
    // Changing window flags re-creates the native window and hides it;
    // show it again so that the call keeps the window where it was.
    window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (wasVisible)
        window.show();
}
