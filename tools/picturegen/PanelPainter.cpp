#include "PanelPainter.h"

#include <QPainter>
#include <algorithm>

#include "FacePainter.h"

namespace picturegen {
namespace {

// Index of the line at position p, or -1 when p lies inside a cell.
template <std::size_t N>
int lineAt(const std::array<int, N>& lines, int p)
{
    const auto it = std::find(lines.begin(), lines.end(), p);
    return it == lines.end() ? -1 : int(it - lines.begin());
}

// Index of the cell band that contains position p, which is not a line.
template <std::size_t N>
int bandAt(const std::array<int, N>& lines, int p)
{
    return int(std::upper_bound(lines.begin(), lines.end(), p) - lines.begin()) - 1;
}

// The colour of one pixel of the grid. A line takes the shade of the cell to
// its left (vertical lines) or above it (horizontal lines); the frame takes
// the shade of the cell inside it.
QRgb gridPixel(const ColourMap& colours, int x, int y)
{
    const int lineX = lineAt(gridX, x);
    const int lineY = lineAt(gridY, y);
    const int column = std::clamp(lineX >= 0 ? lineX - 1 : bandAt(gridX, x), 0, columns - 1);
    const int row = std::clamp(lineY >= 0 ? lineY - 1 : bandAt(gridY, y), 0, rows - 1);
    const CellColour& cell = cellColour(colours[row][column]);
    if (lineX < 0 && lineY < 0)
        return cell.fill;
    const bool frame = x == gridX.front() || x == gridX.back() || y == gridY.front() || y == gridY.back();
    return frame ? cell.frame : cell.innerLine;
}

} // namespace

const CellColour& cellColour(char key)
{
    const auto it = std::find_if(cellColours.begin(), cellColours.end(),
                                 [key](const CellColour& c) { return c.key == key; });
    Q_ASSERT(it != cellColours.end());
    return *it;
}

QRect cellInterior(int row, int column)
{
    return QRect(QPoint(gridX[column] + 1, gridY[row] + 1),
                 QPoint(gridX[column + 1] - 1, gridY[row + 1] - 1));
}

QImage paintPanel(const PanelDefinition& panel)
{
    QImage image(panelWidth, panelHeight, QImage::Format_RGB32);
    for (int y = 0; y < panelHeight; ++y)
        for (int x = 0; x < panelWidth; ++x)
            image.setPixel(x, y, 0xFF000000 | gridPixel(panel.colours, x, y));

    QPainter painter(&image);
    for (const Face& face : panel.faces())
        paintFace(painter, cellInterior(face.row, face.column), face);
    return image;
}

} // namespace picturegen
