#include "Pictures.h"

#include "Form1Layout.h"
#include "Panels.h"
#include "PictureResources.h"
#include "QtTwips.h"

#include <QFile>
#include <QPainter>

#include <cstring>

namespace palette {

using glyphboard::ToPixels;
using glyphboard::ToTwips;

namespace {

// The strip picture's top inside Picture1.
constexpr int kStripTop = 2100;

// The base panel is Picture1's own picture; the others are its overlays.
bool IsPanel(const char* owner)
{
    if (std::strcmp(owner, "Picture1") == 0)
        return true;
    for (const PanelDesign& panel : kPanels)
        if (panel.overlay && std::strcmp(owner, panel.overlay) == 0)
            return true;
    return false;
}

// Each panel placeholder gets its own tint, so that switching panels is
// visible even without the real pictures.
QColor Tint(const char* owner)
{
    if (std::strcmp(owner, "Image1") == 0)
        return QColor(0xdd, 0xee, 0xff);
    if (std::strcmp(owner, "Image2") == 0)
        return QColor(0xdd, 0xff, 0xdd);
    if (std::strcmp(owner, "Image3") == 0)
        return QColor(0xff, 0xee, 0xcc);
    return QColor(0xf4, 0xf4, 0xf4);
}

QPixmap Placeholder(const char* owner, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Tint(owner));
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    if (IsPanel(owner)) {
        // One box around each cell, where the real picture draws its symbol.
        for (int i = 0; i < kGridRows * kGridColumns; ++i) {
            painter.drawRect(ToPixels(CellRect(i)).adjusted(0, 0, -1, -1));
        }
    } else if (std::strcmp(owner, "Image4") == 0) {
        // One box around each field of the strip that a strip cell covers.
        for (const ControlDesign& control : kPicture1Controls) {
            if (control.kind != ControlKind::Cell)
                continue;
            TwipRect field = control.rect;
            field.top -= kStripTop;
            painter.drawRect(ToPixels(field).adjusted(0, 0, -1, -1));
        }
    } else {
        painter.drawLine(0, 0, size.width() - 1, size.height() - 1);
        painter.drawLine(0, size.height() - 1, size.width() - 1, 0);
    }
    return pixmap;
}

} // namespace

QSize PictureSize(const char* owner)
{
    const PictureDesign* picture = FindPicture(owner);
    return picture ? QSize(picture->width, picture->height) : QSize();
}

QPixmap LoadPicture(const char* owner)
{
    const QString path = glyphboard::pictures::ResourcePath(QString::fromLatin1(owner));
    if (QFile::exists(path)) {
        QPixmap picture(path);
        if (!picture.isNull())
            return picture;
    }
    const QSize size = PictureSize(owner);
    return size.isEmpty() ? QPixmap() : Placeholder(owner, size);
}

} // namespace palette
