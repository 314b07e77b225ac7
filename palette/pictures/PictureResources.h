// Where the palette's pictures live among the Qt resources.
#pragma once

#include <QString>
#include <QStringView>

namespace glyphboard::pictures {

// The resource prefix of the pictures: ":/pictures/".
extern const char resourcePrefix[];

// The resource path of the picture of a control, e.g. ":/pictures/Image4.png".
inline QString ResourcePath(QStringView owner)
{
    return QLatin1String(resourcePrefix) + owner.toString() + QStringLiteral(".png");
}

} // namespace glyphboard::pictures
