// Paths shared by the faces, the strip and the icons.
#pragma once

#include <QFont>
#include <QPainterPath>
#include <QRectF>
#include <QStringView>

namespace picturegen {

// The shaped text as a path, laid out right to left when it holds Arabic.
QPainterPath TextPath(const QFont& font, QStringView text);

// The outline of a line drawing, so that it can be filled like a glyph.
QPainterPath Stroked(const QPainterPath& lines, qreal width);

enum class Direction { Up, Down, Left, Right };

// A solid arrow with a triangular head and a broad shaft, filling rect.
QPainterPath BlockArrow(const QRectF& rect, Direction direction);

} // namespace picturegen
