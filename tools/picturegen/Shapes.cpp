#include "Shapes.h"

#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTransform>

namespace picturegen {

QPainterPath TextPath(const QFont& font, QStringView text)
{
    QString laidOut = text.toString();
    const bool arabic =
        std::any_of(laidOut.cbegin(), laidOut.cend(), [](QChar c) { return c.script() == QChar::Script_Arabic; });
    // A right-to-left embedding, so that digits, brackets and operators
    // around Arabic letters take their right-to-left order.
    if (arabic)
        laidOut = QChar(0x202B) + laidOut + QChar(0x202C);
    QPainterPath path;
    path.addText(0, 0, font, laidOut);
    return path;
}

QPainterPath Stroked(const QPainterPath& lines, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(lines).simplified();
}

QPainterPath BlockArrow(const QRectF& rect, Direction direction)
{
    // An upward arrow in the unit square, turned for the other directions.
    const QPolygonF up{{0.5, 0.0}, {1.0, 0.5}, {0.7, 0.5}, {0.7, 1.0},
                       {0.3, 1.0}, {0.3, 0.5}, {0.0, 0.5}, {0.5, 0.0}};
    qreal angle = 0;
    switch (direction) {
    case Direction::Up: angle = 0; break;
    case Direction::Right: angle = 90; break;
    case Direction::Down: angle = 180; break;
    case Direction::Left: angle = 270; break;
    }
    QTransform turn;
    turn.translate(0.5, 0.5).rotate(angle).translate(-0.5, -0.5);
    QTransform place;
    place.translate(rect.x(), rect.y()).scale(rect.width(), rect.height());
    QPainterPath path;
    path.addPolygon((turn * place).map(up));
    path.closeSubpath();
    return path;
}

} // namespace picturegen
