#include "WizardPictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace installer::wizard {
namespace {

QPixmap Blank(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// Drawn on a 32-unit grid and scaled to the requested size.
QPixmap ComputerAndBox(int size)
{
    QPixmap pixmap = Blank(size, size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    painter.setPen(QPen(Qt::black, 1));

    // Monitor, screen and stand.
    painter.setBrush(QColor(0xd4, 0xd0, 0xc8));
    painter.drawRect(QRectF(1.5, 4.5, 18, 14));
    painter.setBrush(QColor(0x1f, 0x5f, 0xbf));
    painter.drawRect(QRectF(3.5, 6.5, 14, 10));
    painter.setBrush(QColor(0xd4, 0xd0, 0xc8));
    painter.drawRect(QRectF(7.5, 18.5, 6, 3));
    painter.drawRect(QRectF(3.5, 21.5, 14, 3));

    // A closed cardboard box in front, to the right.
    painter.setBrush(QColor(0xc8, 0x8a, 0x3c));
    painter.drawRect(QRectF(17.5, 17.5, 13, 12));
    painter.setBrush(QColor(0xe0, 0xa8, 0x5c));
    QPolygonF lid{{17.5, 17.5}, {21.5, 13.5}, {30.5, 13.5}, {30.5, 17.5}};
    painter.drawPolygon(lid);
    painter.drawLine(QPointF(24, 17.5), QPointF(24, 29.5));
    return pixmap;
}

} // namespace

QIcon WindowIcon()
{
    QIcon icon;
    icon.addPixmap(ComputerAndBox(16));
    icon.addPixmap(ComputerAndBox(32));
    return icon;
}

QPixmap Logo()
{
    QPixmap pixmap = Blank(103, 102);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(2, 2, 98, 97);

    QRadialGradient shade(disc.center() - QPointF(18, 18), 70);
    shade.setColorAt(0, QColor(0x7f, 0xc8, 0xf8));
    shade.setColorAt(1, QColor(0x0b, 0x4f, 0x8a));
    painter.setPen(QPen(QColor(0x06, 0x2f, 0x55), 3));
    painter.setBrush(shade);
    painter.drawEllipse(disc);

    // A radical over an Arabic letter: school mathematics written in Arabic.
    painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygonF{{22, 56}, {32, 50}, {42, 76}, {56, 26}, {84, 26}});
    QFont letter(QStringLiteral("DejaVu Sans"));
    letter.setPixelSize(34);
    letter.setBold(true);
    painter.setFont(letter);
    painter.drawText(QRectF(46, 30, 40, 46), Qt::AlignCenter, QStringLiteral("س"));
    return pixmap;
}

QPixmap WordProcessorIcon()
{
    QPixmap pixmap = Blank(29, 28);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // A page with a folded corner and lines of right-to-left text.
    QPainterPath page;
    page.moveTo(5.5, 1.5);
    page.lineTo(19.5, 1.5);
    page.lineTo(24.5, 6.5);
    page.lineTo(24.5, 26.5);
    page.lineTo(5.5, 26.5);
    page.closeSubpath();
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    painter.setBrush(Qt::white);
    painter.drawPath(page);
    painter.setBrush(QColor(0xdd, 0xdd, 0xdd));
    painter.drawPolygon(QPolygonF{{19.5, 1.5}, {19.5, 6.5}, {24.5, 6.5}});

    painter.setPen(QPen(QColor(0x1d, 0x5c, 0xb4), 2));
    for (const auto& [left, y] : {std::pair{9.0, 10.0}, {8.0, 14.0}, {11.0, 18.0}, {14.0, 22.0}})
        painter.drawLine(QPointF(left, y), QPointF(21.0, y));
    return pixmap;
}

} // namespace installer::wizard
