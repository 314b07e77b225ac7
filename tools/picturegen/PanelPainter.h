// Paints a panel picture: cell colours, grid lines and faces.
#pragma once

#include <QImage>

#include "PanelLayout.h"

namespace picturegen {

QImage paintPanel(const PanelDefinition& panel);

// The interior of a cell: the pixels between its grid lines.
QRect cellInterior(int row, int column);

} // namespace picturegen
