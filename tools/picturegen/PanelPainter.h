// Paints a panel picture: cell colours, grid lines and faces.
#pragma once

#include <QImage>

#include "PanelLayout.h"

namespace picturegen {

QImage PaintPanel(const PanelDefinition& panel);

// The interior of a cell: the pixels between its grid lines.
QRect CellInterior(int row, int column);

} // namespace picturegen
