#include "Pictures.h"

#include <QPainter>
#include <QTextOption>
#include <array>

#include "Fonts.h"
#include "Shapes.h"

namespace picturegen {
namespace {

const QColor kDialogGrey(0xD4, 0xD0, 0xC8);

// Our own wording; the titles are those of the seals in the icon and logo.
const QString kShortName = QStringLiteral("جليف بورد");
const QString kEditionNumeral = QStringLiteral("٣");
const std::array<QString, 2> kSaying{QStringLiteral("رَبِّ اشْرَحْ لِي صَدْرِي"), QStringLiteral("وَيَسِّرْ لِي أَمْرِي")};
// Eight lines: where the program comes from, who made it, whom we thank
// and how to reach us.
const std::array<QString, 8> kCredits{
    QStringLiteral("لوحة الرموز الرياضية للكتابة العربية"),
    QStringLiteral("برنامج لمعلمي الرياضيات وطلابها"),
    QStringLiteral("أعدّه فريق تطوير جليف بورد"),
    QStringLiteral("تصميم الرموز: فريق الخطوط"),
    QStringLiteral("البرمجة: فريق البرمجيات"),
    QStringLiteral("شكرًا لكل من جرّب البرنامج وأبدى رأيه"),
    QStringLiteral("للتواصل والاقتراحات عبر البريد الإلكتروني:"),
    QStringLiteral("glyphboard@example.org"),
};

// The strip's fields between its vertical lines, left to right.
constexpr std::array<int, 7> kStripLinesX{0, 45, 90, 135, 493, 538, 627};
constexpr std::array<int, 2> kStripLinesY{0, 34};

QImage Blank(int width, int height, QColor background)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(background);
    return image;
}

void DrawRtlText(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font,
                 QColor colour = Qt::black)
{
    QTextOption option(Qt::AlignCenter);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::NoWrap);
    painter.setPen(colour);
    painter.setFont(font);
    // The embedding marks make the order right to left even where the text
    // option alone does not, e.g. for brackets and = after an Arabic letter.
    painter.drawText(rect, QChar(0x202B) + text + QChar(0x202C), option);
}

void Fill(QPainter& painter, const QPainterPath& path, QColor colour = Qt::black)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(path);
}

// A white icon with a black frame and two block arrows: one in the upper
// right half, one in the lower left half.
QImage PaintViewIcon(Direction upperRight, Direction lowerLeft)
{
    QImage image = Blank(46, 35, Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 45, 34);
    painter.setRenderHint(QPainter::Antialiasing);
    Fill(painter, BlockArrow(QRectF(26, 3, 15, 13), upperRight));
    Fill(painter, BlockArrow(QRectF(5, 19, 15, 13), lowerLeft));
    return image;
}

// A seal: a filled disc within a double ring.
void DrawSeal(QPainter& painter, const QRectF& disc, QColor face, QColor ring, qreal ringWidth)
{
    painter.setPen(QPen(ring, ringWidth));
    painter.setBrush(face);
    const qreal inset = ringWidth / 2;
    painter.drawEllipse(disc.adjusted(inset, inset, -inset, -inset));
    const qreal inner = ringWidth * 2.2;
    painter.setPen(QPen(ring, std::max(0.6, ringWidth / 3)));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(disc.adjusted(inner, inner, -inner, -inner));
}

} // namespace

QImage PaintStrip()
{
    QImage image = Blank(628, 35, Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    for (int x : kStripLinesX)
        painter.drawLine(x, 0, x, 34);
    for (int y : kStripLinesY)
        painter.drawLine(0, y, 627, y);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Every label and arrow stays inside the red frame that the palette
    // draws 2 pixels wide just within each field's hit area.
    const QFont label = FontFor(TextStyle::StripLabel, 11);
    const QFont narrow = FontFor(TextStyle::NarrowStripLabel, 11);

    // 1: hidden under the collapse icon.
    Fill(painter, BlockArrow(QRectF(14, 6, 18, 23), Direction::Up));
    // 2 and 3: the pair and the function.
    DrawRtlText(painter, QRectF(50, 4, 36, 26), QStringLiteral("(س،ص)"), narrow);
    DrawRtlText(painter, QRectF(95, 4, 36, 26), QStringLiteral("د(س)="), narrow);
    // 4: space.
    DrawRtlText(painter, QRectF(140, 4, 350, 26), QStringLiteral("مسافة"), label);
    // 5: delete, under an arrow pointing right.
    QPainterPath arrow;
    arrow.moveTo(503, 10);
    arrow.lineTo(527, 10);
    arrow.moveTo(522, 6);
    arrow.lineTo(527, 10);
    arrow.lineTo(522, 14);
    painter.strokePath(arrow, QPen(Qt::black, 1.5));
    DrawRtlText(painter, QRectF(499, 14, 36, 15), QStringLiteral("حذف"), label);
    // 6: new line, under a return arrow pointing left whose tail rises at
    // the right end.
    QPainterPath ret;
    ret.moveTo(604, 5);
    ret.lineTo(604, 11);
    ret.lineTo(562, 11);
    ret.moveTo(567, 7);
    ret.lineTo(562, 11);
    ret.lineTo(567, 15);
    painter.strokePath(ret, QPen(Qt::black, 1.5));
    DrawRtlText(painter, QRectF(543, 15, 79, 14), QStringLiteral("سطر جديد"), label);
    return image;
}

QImage PaintCollapseIcon()
{
    return PaintViewIcon(Direction::Up, Direction::Left);
}

QImage PaintExpandIcon()
{
    return PaintViewIcon(Direction::Right, Direction::Down);
}

QImage PaintWindowIcon(int size)
{
    QImage image = Blank(size, size, Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const qreal s = size;
        DrawSeal(painter, QRectF(0, 0, s, s), QColor(0xC0, 0xC0, 0xC0), QColor(0x60, 0x60, 0x60), s / 16);
        const QFont tiny = FontFor(TextStyle::Plain, s * 0.15);
        const QColor titleInk(0x20, 0x20, 0x20);
        DrawRtlText(painter, QRectF(0, s * 0.14, s, s * 0.16), QStringLiteral("لوحة الرموز"), tiny, titleInk);
        DrawRtlText(painter, QRectF(0, s * 0.27, s, s * 0.16), QStringLiteral("الرياضية"), tiny, titleInk);
        DrawRtlText(painter, QRectF(0, s * 0.36, s, s * 0.56), kEditionNumeral,
                    FontFor(Typeface::Arabic, s * 0.62));
    }
    if (size != 32)
        return image;
    // Sixteen grey levels (0, 17, ..., 255) and a mask that is either
    // opaque or transparent.
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) < 128) {
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
                continue;
            }
            const int grey = qRound(qGray(p) / 17.0) * 17;
            image.setPixel(x, y, qRgba(grey, grey, grey, 255));
        }
    }
    return image;
}

QByteArray WindowIconSvg()
{
    // The same seal as PaintWindowIcon, on a 32-unit canvas.
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n"
               "  <circle cx=\"16\" cy=\"16\" r=\"15\" fill=\"#c0c0c0\" stroke=\"#606060\" stroke-width=\"2\"/>\n"
               "  <circle cx=\"16\" cy=\"16\" r=\"11.6\" fill=\"none\" stroke=\"#606060\" stroke-width=\"0.6\"/>\n"
               "  <g font-family=\"Noto Sans Arabic, sans-serif\" text-anchor=\"middle\" direction=\"rtl\" fill=\"#202020\">\n"
               "    <text x=\"16\" y=\"8.8\" font-size=\"4.8\">لوحة الرموز</text>\n"
               "    <text x=\"16\" y=\"12.9\" font-size=\"4.8\">الرياضية</text>\n"
               "  </g>\n"
               "  <text x=\"16\" y=\"28\" font-family=\"Noto Naskh Arabic, serif\" font-size=\"19.8\" "
               "text-anchor=\"middle\" fill=\"#000000\">%1</text>\n"
               "</svg>\n")
        .arg(kEditionNumeral)
        .toUtf8();
}

QImage PaintLogo()
{
    QImage image = Blank(246, 174, Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF disc(123 - 53, 3, 106, 106);
    DrawSeal(painter, disc, Qt::white, Qt::black, 3);
    const QFont title = FontFor(TextStyle::Plain, 11);
    DrawRtlText(painter, QRectF(disc.left(), 17, disc.width(), 14), QStringLiteral("لوحة الرموز"), title);
    DrawRtlText(painter, QRectF(disc.left(), 30, disc.width(), 14), QStringLiteral("الرياضية"), title);
    DrawRtlText(painter, QRectF(disc.left(), 44, disc.width(), 20), kShortName,
                FontFor(TextStyle::CalligraphyBold, 16));
    DrawRtlText(painter, QRectF(disc.left(), 62, disc.width(), 40), kEditionNumeral, FontFor(Typeface::Arabic, 30));
    const QFont calligraphy = FontFor(TextStyle::Calligraphy, 19);
    DrawRtlText(painter, QRectF(0, 110, 246, 31), kSaying[0], calligraphy);
    DrawRtlText(painter, QRectF(0, 141, 246, 31), kSaying[1], calligraphy);
    return image;
}

QImage PaintCredits()
{
    QImage image = Blank(370, 172, kDialogGrey);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    const QFont font = FontFor(TextStyle::Plain, 12);
    const qreal lineHeight = 172.0 / kCredits.size();
    for (std::size_t i = 0; i < kCredits.size(); ++i)
        DrawRtlText(painter, QRectF(4, i * lineHeight, 362, lineHeight), kCredits[i], font);
    return image;
}

QImage PaintSignature()
{
    QImage image = Blank(77, 36, kDialogGrey);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    DrawRtlText(painter, QRectF(2, 0, 73, 36), kShortName, FontFor(TextStyle::CalligraphyBold, 19));
    return image;
}

} // namespace picturegen
