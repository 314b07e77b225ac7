// Helpers for looking at the embedded palette pictures pixel by pixel.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

namespace probe {

// The embedded picture of `owner`; or, when GLYPHBOARD_PANEL_PICTURES names
// a folder, <folder>/<owner>.png, so that the same checks look at pictures
// taken elsewhere (the panels as the Windows palette shows them).
inline QImage load(const QString& owner)
{
    const QString folder = qEnvironmentVariable("GLYPHBOARD_PANEL_PICTURES");
    const QString path = folder.isEmpty() ? QStringLiteral(":/pictures/%1.png").arg(owner)
                                          : QStringLiteral("%1/%2.png").arg(folder, owner);
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

// The bounds of the pixels in area for which isInk holds; empty when none.
inline QRect inkBounds(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& isInk)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (isInk(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

inline int inkCount(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& isInk)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += isInk(image.pixel(x, y)) ? 1 : 0;
    return count;
}

// Mean x of the ink pixels in row y of area, or -1 when the row has none.
inline double meanInkX(const QImage& image, const QRect& area, int y, const std::function<bool(QRgb)>& isInk)
{
    double sum = 0;
    int count = 0;
    for (int x = area.left(); x <= area.right(); ++x)
        if (isInk(image.pixel(x, y))) {
            sum += x;
            ++count;
        }
    return count ? sum / count : -1;
}

inline std::function<bool(QRgb)> differsFrom(QRgb background)
{
    return [background](QRgb p) { return (p & 0xFFFFFF) != (background & 0xFFFFFF); };
}

inline QString hex(QRgb p)
{
    return QStringLiteral("#%1").arg(p & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

} // namespace probe
