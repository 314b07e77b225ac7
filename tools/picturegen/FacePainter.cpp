#include "FacePainter.h"

#include <QTransform>
#include <algorithm>

#include "Fonts.h"
#include "Shapes.h"

namespace picturegen {
namespace {

constexpr qreal kLineWidth = 1.5;

qreal PixelSize(Size size)
{
    switch (size) {
    case Size::Tiny: return 10;
    case Size::Small: return 14;
    case Size::Normal: return 22;
    case Size::Large: return 28;
    case Size::Huge: return 40;
    }
    return 22;
}

qreal BarLength(Span span)
{
    switch (span) {
    case Span::Short: return 10;
    case Span::Medium: return 18;
    case Span::Long: return 30;
    case Span::Wide: return 36;
    }
    return 18;
}

QColor InkColour(Ink ink)
{
    switch (ink) {
    case Ink::Black: return QColor(0, 0, 0);
    case Ink::Grey: return QColor(0x80, 0x80, 0x80);
    case Ink::Faint: return QColor(0xB4, 0xB4, 0xB4);
    }
    return Qt::black;
}

QString Qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

QPainterPath Text(const Draw& draw, qreal size, std::u16string_view what)
{
    return TextPath(FontFor(draw.typeface, size), Qs(what));
}

QPainterPath Polyline(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    return path;
}

// Moves path so that its bounds are centred horizontally on x with their top at y.
QPainterPath CentredAt(const QPainterPath& path, qreal x, qreal y)
{
    const QRectF bounds = path.boundingRect();
    return path.translated(x - bounds.center().x(), y - bounds.top());
}

// Stacks the parts top to bottom, centred on one vertical axis.
QPainterPath Stack(std::initializer_list<QPainterPath> parts, qreal gap)
{
    QPainterPath result;
    qreal y = 0;
    for (const QPainterPath& part : parts) {
        if (part.isEmpty())
            continue;
        result.addPath(CentredAt(part, 0, y));
        y += part.boundingRect().height() + gap;
    }
    return result;
}

QPainterPath Bar(qreal length, qreal thickness = 2)
{
    QPainterPath path;
    path.addRect(0, 0, length, thickness);
    return path;
}

QPainterPath Radical(Span span)
{
    // Left-to-right form: the tick at the left, the bar running right.
    const qreal w = span == Span::Short ? 14 : span == Span::Medium ? 22 : 32;
    const qreal h = span == Span::Short ? 14 : span == Span::Medium ? 20 : 26;
    return Stroked(Polyline({{0, 0.6 * h}, {0.18 * w, 0.48 * h}, {0.38 * w, h}, {0.58 * w, 0}, {w, 0}}),
                   kLineWidth);
}

QPainterPath Arc(Span span)
{
    const qreal w = span == Span::Short ? 16 : span == Span::Long ? 30 : 36;
    const qreal h = span == Span::Short ? 6 : span == Span::Long ? 9 : 5;
    QPainterPath path;
    path.arcMoveTo(0, 0, w, 2 * h, 180);
    path.arcTo(0, 0, w, 2 * h, 180, -180);
    return Stroked(path, kLineWidth);
}

QPainterPath Hat(Span span)
{
    const qreal w = span == Span::Short ? 12 : 30;
    const qreal h = span == Span::Short ? 6 : 8;
    return Stroked(Polyline({{0, h}, {w / 2, 0}, {w, h}}), kLineWidth);
}

QPainterPath Box(Span span)
{
    const QSizeF size = span == Span::Wide     ? QSizeF(24, 13)
                        : span == Span::Medium ? QSizeF(15, 15)
                                               : QSizeF(10, 10);
    QPainterPath path;
    path.addRect(QRectF(QPointF(0, 0), size));
    return Stroked(path, kLineWidth);
}

QPainterPath FractionOf(const Draw& draw, bool withBar)
{
    const qreal size = PixelSize(draw.size);
    const QPainterPath over = Text(draw, size, draw.text);
    const QPainterPath under = Text(draw, size, draw.below);
    const qreal width = std::max(over.boundingRect().width(), under.boundingRect().width()) + 2;
    if (withBar)
        return Stack({over, Bar(width, 1.2), under}, 1.5);
    // A binomial: both lines in one pair of parentheses.
    QPainterPath body = Stack({over, under}, 2);
    const QRectF b = body.boundingRect().adjusted(-2, -1, 2, 1);
    QPainterPath parens;
    parens.arcMoveTo(b.left() - 3, b.top(), 8, b.height(), 90);
    parens.arcTo(b.left() - 3, b.top(), 8, b.height(), 90, 180);
    parens.arcMoveTo(b.right() - 5, b.top(), 8, b.height(), 90);
    parens.arcTo(b.right() - 5, b.top(), 8, b.height(), 90, -180);
    body.addPath(Stroked(parens, 1.2));
    return body;
}

QPainterPath LimitSign(const Draw& draw)
{
    const QPainterPath word = Text(draw, PixelSize(Size::Small), draw.text);
    const QPainterPath beneath = Text(draw, PixelSize(Size::Tiny), draw.below);
    const qreal width = std::max({word.boundingRect().width(), beneath.boundingRect().width(), 30.0});
    return Stack({word, Bar(width, 1.2), beneath}, 1.5);
}

QPainterPath SumSign(const Draw& draw)
{
    QPainterPath sigma = TextPath(FontFor(Typeface::Math, PixelSize(Size::Large)), QStringLiteral("∑"));
    if (draw.mirrored)
        sigma = QTransform::fromScale(-1, 1).map(sigma);
    const QFont bounds = FontFor(Typeface::Arabic, PixelSize(Size::Tiny));
    return Stack({TextPath(bounds, Qs(draw.text)), sigma, TextPath(bounds, Qs(draw.below))}, 1.5);
}

} // namespace

QPainterPath FacePath(const Draw& draw)
{
    QPainterPath path;
    switch (draw.art) {
    case Art::Text: path = Text(draw, PixelSize(draw.size), draw.text); break;
    case Art::Outlined: path = Stroked(Text(draw, PixelSize(Size::Large), draw.text), 1.0); break;
    case Art::Bar: path = Bar(BarLength(draw.span)); break;
    case Art::DoubleBar: path = Stack({Bar(30, 1.5), Bar(30, 1.5)}, 2.5); break;
    case Art::Radical: path = Radical(draw.span); break;
    case Art::ShortArrowLeft:
        path = Stroked(Polyline({{4, 0}, {0, 3}, {4, 6}}), kLineWidth);
        path.addPath(Bar(16, kLineWidth).translated(0.5, 3 - kLineWidth / 2));
        break;
    case Art::HalfArrowBar:
        path = Stroked(Polyline({{0, 4}, {5, 0}}), kLineWidth);
        path.addPath(Bar(26, kLineWidth).translated(0, 4 - kLineWidth / 2));
        break;
    case Art::DotLine: {
        const qreal length = draw.span == Span::Long ? 34 : 22;
        path = Bar(length, kLineWidth).translated(0, -kLineWidth / 2);
        path.addEllipse(QPointF(0, 0), 2.3, 2.3);
        break;
    }
    case Art::Arc: path = Arc(draw.span); break;
    case Art::Hat: path = Hat(draw.span); break;
    case Art::Box: path = Box(draw.span); break;
    case Art::FilledBox: path.addRect(0, 0, 12, 12); break;
    case Art::Circle: {
        QPainterPath circle;
        circle.addEllipse(0, 0, 17, 17);
        path = Stroked(circle, kLineWidth);
        break;
    }
    case Art::Fraction: path = FractionOf(draw, true); break;
    case Art::Binomial: path = FractionOf(draw, false); break;
    case Art::Limit: path = LimitSign(draw); break;
    case Art::Sum: return SumSign(draw); // mirrors the sign alone, not its bounds
    }
    if (draw.mirrored)
        path = QTransform::fromScale(-1, 1).map(path);
    path.setFillRule(Qt::WindingFill);
    return path;
}

QRectF PlaceBox(const QRect& interior, Place place)
{
    const QRectF r(interior);
    const qreal half = r.height() / 2;
    switch (place) {
    case Place::Middle: return r.adjusted(2, 2, -2, -2);
    case Place::Raised: return QRectF(r.left() + 2, r.top() + 2, r.width() - 4, half - 2);
    case Place::Lowered: return QRectF(r.left() + 2, r.top() + half, r.width() - 4, half - 2);
    case Place::Top: return QRectF(r.left() + 2, r.top() + 3, r.width() - 4, 8);
    case Place::TopRight: return QRectF(r.left() + 2, r.top() + 3, r.width() - 5, 4);
    }
    return r;
}

void PaintFace(QPainter& painter, const QRect& interior, const Face& face)
{
    const QPainterPath path = FacePath(face.draw);
    const QRectF bounds = path.boundingRect();
    const QRectF target = PlaceBox(interior, face.place);
    const qreal scale = std::min({1.0, target.width() / bounds.width(), target.height() / bounds.height()});
    const QSizeF size = bounds.size() * scale;
    // Whole-pixel positions keep thin strokes crisp.
    const qreal left =
        face.place == Place::TopRight ? target.right() - size.width() : target.center().x() - size.width() / 2;
    const QPointF topLeft(std::round(left), std::round(target.center().y() - size.height() / 2));

    QTransform fit;
    fit.translate(topLeft.x(), topLeft.y()).scale(scale, scale).translate(-bounds.left(), -bounds.top());

    painter.save();
    painter.setClipRect(interior);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(InkColour(face.ink));
    painter.drawPath(fit.map(path));
    painter.restore();
}

} // namespace picturegen
