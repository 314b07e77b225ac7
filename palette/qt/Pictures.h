#pragma once

#include "PictureDesigns.h"

#include <QPixmap>
#include <QSize>

namespace palette {

// The size of `owner`'s picture; an empty size for a control without one.
QSize PictureSize(const char* owner);

// The picture of `owner` from the resource ":/pictures/<owner>.png". While
// that resource is missing, a plain placeholder of exactly the picture's
// size stands in for it (a grid of the cells for the panels), so that the
// window's geometry does not depend on the pictures being built.
QPixmap LoadPicture(const char* owner);

} // namespace palette
