// The Debian fonts the pictures are drawn with.
#pragma once

#include <QFont>
#include <QString>

#include "Face.h"

namespace picturegen {

// Extra faces used only by the strip, the seals and the credits.
enum class TextStyle { StripLabel, NarrowStripLabel, Plain, Calligraphy, CalligraphyBold };

// Loads every font file the pictures need. Returns an empty string on
// success, otherwise a message naming the missing file and its package.
QString LoadFonts();

QFont FontFor(Typeface typeface, qreal pixelSize);
QFont FontFor(TextStyle style, qreal pixelSize);

} // namespace picturegen
