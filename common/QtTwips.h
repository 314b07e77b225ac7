#pragma once

#include "Twips.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace glyphboard {

// Design values in twips as Qt's device-independent pixels (96 per inch;
// Qt scales them to the screen itself), and back.

inline QPoint ToPixels(TwipPoint p)
{
    return {TwipsToPixels(p.x), TwipsToPixels(p.y)};
}

inline QSize ToPixels(TwipSize s)
{
    return {TwipsToPixels(s.width), TwipsToPixels(s.height)};
}

inline QRect ToPixels(TwipRect r)
{
    return {ToPixels(TwipPoint{r.left, r.top}), ToPixels(TwipSize{r.width, r.height})};
}

inline TwipPoint ToTwips(QPoint p)
{
    return {p.x() * kTwipsPerPixel, p.y() * kTwipsPerPixel};
}

} // namespace glyphboard
