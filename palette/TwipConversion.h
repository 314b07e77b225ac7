#pragma once

#include "Form1Layout.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace palette {

// Design values in twips as Qt pixels, at 15 twips per pixel.

inline QPoint ToPixels(TwipPoint p)
{
    return {p.x / kTwipsPerPixel, p.y / kTwipsPerPixel};
}

inline QSize ToPixels(TwipSize s)
{
    return {s.width / kTwipsPerPixel, s.height / kTwipsPerPixel};
}

inline QRect ToPixels(TwipRect r)
{
    return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel,
            r.height / kTwipsPerPixel};
}

} // namespace palette
