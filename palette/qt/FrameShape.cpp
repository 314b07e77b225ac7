#include "FrameShape.h"

#include <QPainter>
#include <QPen>

namespace palette {

namespace {
constexpr int kLineWidth = 2;
}

FrameShape::FrameShape(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FrameShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QPen pen(QColor(255, 0, 0));
    pen.setWidth(kLineWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The pen is centred on the path: inset by half its width so that both
    // pixels of the line lie inside the control's rectangle.
    const qreal half = kLineWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}

} // namespace palette
