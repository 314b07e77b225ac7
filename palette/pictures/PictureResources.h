// Where the palette's pictures live among the Qt resources.
#pragma once

#include <QString>
#include <QStringView>

namespace glyphboard::pictures {

// The resource prefix of the pictures: ":/pictures/".
extern const char kResourcePrefix[];

// The resource path of the picture of a control, e.g. ":/pictures/Image4.png".
inline QString ResourcePath(QStringView owner)
{
    return QLatin1String(kResourcePrefix) + owner.toString() + QStringLiteral(".png");
}

} // namespace glyphboard::pictures
