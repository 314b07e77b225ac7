#pragma once

#include <QIcon>
#include <QPixmap>

// The wizard's pictures, drawn at run time at their pixel sizes.
namespace installer::wizard {

// The window icon: a computer beside a box, 16 x 16 and 32 x 32.
QIcon WindowIcon();
// The product's circular logo, 103 x 102 pixels.
QPixmap Logo();
// A word processor's document, 29 x 28 pixels.
QPixmap WordProcessorIcon();

} // namespace installer::wizard
