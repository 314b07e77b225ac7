#pragma once

#include "Form1Layout.h"
#include "Twips.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace palette {

// Design values in twips as Qt's device-independent pixels (96 per inch;
// Qt scales them to the screen itself), and back.

inline QPoint ToPixels(TwipPoint p)
{
    return {glyphboard::TwipsToPixels(p.x), glyphboard::TwipsToPixels(p.y)};
}

inline QSize ToPixels(TwipSize s)
{
    return {glyphboard::TwipsToPixels(s.width), glyphboard::TwipsToPixels(s.height)};
}

inline QRect ToPixels(TwipRect r)
{
    return {ToPixels(TwipPoint{r.left, r.top}), ToPixels(TwipSize{r.width, r.height})};
}

inline TwipPoint ToTwips(QPoint p)
{
    return {p.x() * kTwipsPerPixel, p.y() * kTwipsPerPixel};
}

} // namespace palette
