// The pictures other than the four panels.
#pragma once

#include <QByteArray>
#include <QImage>

namespace picturegen {

QImage PaintStrip();        // the editing strip, 628 x 35
QImage PaintCollapseIcon(); // 46 x 35, at the strip's left end
QImage PaintExpandIcon();   // 46 x 35, the only control of the collapsed view
QImage PaintLogo();         // 246 x 174, the about panel's seal and saying
QImage PaintCredits();      // 370 x 172, who made the program and how to reach us
QImage PaintSignature();    // 77 x 36

// The window icon at size x size pixels. The 32-pixel icon is reduced to 16
// grey levels and an all-or-nothing transparency mask, as an icon of 16
// colours carries; larger sizes keep their smooth edges.
QImage PaintWindowIcon(int size);
QByteArray WindowIconSvg();

} // namespace picturegen
