// Draws the faces of the face tables into the cells of a panel picture.
#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QRect>

#include "Face.h"

namespace picturegen {

// The face as one filled path, in coordinates of its own.
QPainterPath FacePath(const Draw& draw);

// The part of a cell interior in which a face at place is centred.
QRectF PlaceBox(const QRect& interior, Place place);

// Shrinks the face to fit its place, if needed, and fills it in its ink.
void PaintFace(QPainter& painter, const QRect& interior, const Face& face);

} // namespace picturegen
