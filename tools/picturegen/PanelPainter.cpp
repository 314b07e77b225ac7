#include "PanelPainter.h"

#include <QPainter>
#include <algorithm>

#include "FacePainter.h"

namespace picturegen {
namespace {

// Index of the line at position p, or -1 when p lies inside a cell.
template <std::size_t N>
int LineAt(const std::array<int, N>& lines, int p)
{
    const auto it = std::find(lines.begin(), lines.end(), p);
    return it == lines.end() ? -1 : int(it - lines.begin());
}

// Index of the cell band that contains position p, which is not a line.
template <std::size_t N>
int BandAt(const std::array<int, N>& lines, int p)
{
    return int(std::upper_bound(lines.begin(), lines.end(), p) - lines.begin()) - 1;
}

// The colour of one pixel of the grid. A line takes the shade of the cell to
// its left (vertical lines) or above it (horizontal lines); the frame takes
// the shade of the cell inside it.
QRgb GridPixel(const ColourMap& colours, int x, int y)
{
    const int lineX = LineAt(kGridX, x);
    const int lineY = LineAt(kGridY, y);
    const int column = std::clamp(lineX >= 0 ? lineX - 1 : BandAt(kGridX, x), 0, kColumns - 1);
    const int row = std::clamp(lineY >= 0 ? lineY - 1 : BandAt(kGridY, y), 0, kRows - 1);
    const CellColour& cell = CellColourFor(colours[row][column]);
    if (lineX < 0 && lineY < 0)
        return cell.fill;
    const bool frame = x == kGridX.front() || x == kGridX.back() || y == kGridY.front() || y == kGridY.back();
    return frame ? cell.frame : cell.innerLine;
}

} // namespace

const CellColour& CellColourFor(char key)
{
    const auto it =
        std::find_if(kCellColours.begin(), kCellColours.end(), [key](const CellColour& c) { return c.key == key; });
    Q_ASSERT(it != kCellColours.end());
    return *it;
}

QRect CellInterior(int row, int column)
{
    return QRect(QPoint(kGridX[column] + 1, kGridY[row] + 1), QPoint(kGridX[column + 1] - 1, kGridY[row + 1] - 1));
}

QImage PaintPanel(const PanelDefinition& panel)
{
    QImage image(kPanelWidth, kPanelHeight, QImage::Format_RGB32);
    for (int y = 0; y < kPanelHeight; ++y)
        for (int x = 0; x < kPanelWidth; ++x)
            image.setPixel(x, y, 0xFF000000 | GridPixel(panel.colours, x, y));

    QPainter painter(&image);
    for (const Face& face : panel.faces())
        PaintFace(painter, CellInterior(face.row, face.column), face);
    return image;
}

} // namespace picturegen
