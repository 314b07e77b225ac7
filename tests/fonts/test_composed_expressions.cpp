// Renders every composed expression of the proof sheet the way a word
// processor sets it: consecutive pieces of one font form a run, each run is
// shaped right to left by HarfBuzz in its font (the math fonts of this build,
// plain text in "Traditional Arabic" as the run command's fontconfig set-up
// resolves it) and filled by Qt's rasteriser at 300 dpi. Along the middle row
// of every bar built from pieces, the bar must be ink from end to end, and
// keep clear of the text it spans.
#include "MathFontFixture.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

constexpr double kDpi = 300;
constexpr auto kTextFont = "Traditional Arabic";

struct Bar {
    int height = 0; // middle of the bar, font units above the baseline
    int first = 0;  // from the right edge of this piece (0-based)
    int last = 0;   // to the left edge of this one
};

struct Piece {
    QString text;
    QString font;
};

struct Expression {
    QString caption;
    QList<Bar> bars;
    QList<Piece> pieces;
};

// One font as both HarfBuzz (shaping) and Qt (outlines) see it.
struct RenderFont {
    std::unique_ptr<ShapingFont> shaping;
    QString path;
};

QList<Bar> parseBars(const QString& column)
{
    QList<Bar> bars;
    if (column == QLatin1String("-"))
        return bars;
    for (const QString& bar : column.split(QStringLiteral(", "))) {
        const QStringList parts = bar.split(QLatin1Char(' '));
        const QStringList range = parts.value(1).split(QLatin1Char('-'));
        bars.append({parts.value(0).toInt(), range.value(0).toInt() - 1, range.value(1).toInt() - 1});
    }
    return bars;
}

QList<Expression> readExpressions(const QString& path)
{
    std::map<QString, CatalogueRow> cells;
    for (const CatalogueRow& row : readCatalogue(QStringLiteral(GLYPHBOARD_CATALOGUE)))
        cells[row.panel + QLatin1Char(' ') + QString::number(row.index)] = row;
    QList<Expression> expressions;
    for (const QStringList& columns : readTableRows(path)) {
        Expression expression{columns.value(0), parseBars(columns.value(1)), {}};
        for (const QString& piece : columns.mid(2)) {
            if (piece.startsWith(QLatin1String("text:"))) {
                expression.pieces.append({piece.mid(5), QString::fromLatin1(kTextFont)});
            } else {
                const CatalogueRow& cell = cells.at(piece);
                expression.pieces.append({cell.text, cell.font});
            }
        }
        expressions.append(expression);
    }
    return expressions;
}

// The rendered line, the same line with only the math fonts' runs and with
// only the text font's, and the horizontal extent of each piece, in pixels.
struct RenderedLine {
    QImage image, math, text;
    double baseline = 0;
    QList<double> left, right;
};

} // namespace

Q_DECLARE_METATYPE(Expression)

class TestComposedExpressions : public QObject {
    Q_OBJECT

    std::map<QString, RenderFont> fonts_;
    QTemporaryDir fontconfigDir_;

    // The file fontconfig gives for a family under this build's set-up.
    QString resolve(const QString& family)
    {
        QProcess match;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("FONTCONFIG_FILE"), fontconfigDir_.filePath(QStringLiteral("fonts.conf")));
        match.setProcessEnvironment(env);
        QString pattern = family;
        match.start(QStringLiteral("fc-match"), {QStringLiteral("-f"), QStringLiteral("%{file}"),
                                                 pattern.replace(QLatin1Char('-'), QStringLiteral("\\-"))});
        match.waitForFinished(60000);
        return QString::fromLocal8Bit(match.readAllStandardOutput());
    }

    RenderedLine render(const Expression& expression, double points)
    {
        const double pixelsPerEm = points * kDpi / 72;
        struct Run {
            QString font;
            QString text;
            QList<int> starts; // where each of its pieces begins in text
            QList<int> pieceIndexes;
        };
        QList<Run> runs;
        for (int i = 0; i < expression.pieces.size(); ++i) {
            const Piece& piece = expression.pieces[i];
            if (runs.isEmpty() || runs.last().font != piece.font)
                runs.append({piece.font, {}, {}, {}});
            runs.last().starts.append(int(runs.last().text.size()));
            runs.last().pieceIndexes.append(i);
            runs.last().text += piece.text;
        }

        struct PlacedGlyph {
            QString font;
            quint32 glyph;
            double x, y;
        };
        QList<PlacedGlyph> placed;
        RenderedLine line;
        line.left = QList<double>(expression.pieces.size(), 0);
        line.right = QList<double>(expression.pieces.size(), 0);
        double pen = 0; // right edge of what is set so far, growing leftwards
        for (const Run& run : runs) {
            const RenderFont& font = fonts_.at(run.font);
            hb_font_t* hbFont = font.shaping->font();
            const double scale = pixelsPerEm / hb_face_get_upem(font.shaping->face());
            hb_buffer_t* buffer = hb_buffer_create();
            hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(run.text.utf16()), int(run.text.size()),
                                0, int(run.text.size()));
            hb_buffer_set_direction(buffer, HB_DIRECTION_RTL);
            hb_buffer_set_script(buffer, HB_SCRIPT_ARABIC);
            hb_buffer_set_language(buffer, hb_language_from_string("ar", -1));
            hb_shape(hbFont, buffer, nullptr, 0);
            unsigned count = 0;
            const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
            const hb_glyph_position_t* pos = hb_buffer_get_glyph_positions(buffer, &count);
            double width = 0;
            for (unsigned i = 0; i < count; ++i)
                width += pos[i].x_advance * scale;
            double x = pen - width; // glyphs come in visual order, left to right
            for (unsigned i = 0; i < count; ++i) {
                placed.append({run.font, info[i].codepoint, x + pos[i].x_offset * scale, -pos[i].y_offset * scale});
                int piece = 0;
                while (piece + 1 < run.starts.size() && int(info[i].cluster) >= run.starts[piece + 1])
                    ++piece;
                const int index = run.pieceIndexes[piece];
                const double advance = pos[i].x_advance * scale;
                const bool seen = line.right[index] != 0 || line.left[index] != 0;
                line.left[index] = seen ? std::min(line.left[index], x) : x;
                line.right[index] = seen ? std::max(line.right[index], x + advance) : x + advance;
                x += advance;
            }
            hb_buffer_destroy(buffer);
            pen -= width;
        }

        const double margin = pixelsPerEm;
        const int width = int(std::ceil(-pen + 2 * margin));
        const int height = int(std::ceil(4 * pixelsPerEm));
        line.baseline = 2.5 * pixelsPerEm;
        const double right = width - margin;
        std::map<QString, QRawFont> rawFonts;
        const auto paint = [&](QImage& image, auto wanted) {
            image = QImage(width, height, QImage::Format_Grayscale8);
            image.fill(Qt::white);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            for (const PlacedGlyph& glyph : placed) {
                if (!wanted(glyph.font))
                    continue;
                auto raw = rawFonts.find(glyph.font);
                if (raw == rawFonts.end())
                    raw = rawFonts
                              .emplace(glyph.font,
                                       QRawFont(fonts_.at(glyph.font).path, pixelsPerEm, QFont::PreferNoHinting))
                              .first;
                QPainterPath path = raw->second.pathForGlyph(glyph.glyph);
                path.setFillRule(Qt::WindingFill); // as TrueType rasterisers fill overlapping contours
                painter.fillPath(path.translated(right + glyph.x, line.baseline + glyph.y), Qt::black);
            }
        };
        const QString textFont = QString::fromLatin1(kTextFont);
        paint(line.image, [](const QString&) { return true; });
        paint(line.math, [&](const QString& font) { return font != textFont; });
        paint(line.text, [&](const QString& font) { return font == textFont; });
        for (int i = 0; i < expression.pieces.size(); ++i) {
            line.left[i] += right;
            line.right[i] += right;
        }
        return line;
    }

    // Keeps the rendered line of a failure for a look.
    static QString save(const RenderedLine& line)
    {
        const QString saved =
            QDir::temp().filePath(QStringLiteral("glyphboard-bar-%1.png").arg(QCoreApplication::applicationPid()));
        line.image.save(saved);
        return saved;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(fontconfigDir_.isValid());
        QCOMPARE(QProcess::execute(QStringLiteral(GLYPHBOARD_WRITE_FONTCONFIG),
                                   {fontconfigDir_.filePath(QStringLiteral("fonts.conf")),
                                    QStringLiteral(GLYPHBOARD_FONTS_DIR), QStringLiteral(GLYPHBOARD_FONT_ALIAS),
                                    fontconfigDir_.filePath(QStringLiteral("cache"))}),
                 0);
        std::map<QString, QString> files;
        for (const auto& [family, file] : mathFontFiles())
            files[family] = QStringLiteral(GLYPHBOARD_FONTS_DIR "/") + file;
        files[QString::fromLatin1(kTextFont)] = resolve(QString::fromLatin1(kTextFont));
        for (const auto& [family, path] : files) {
            auto shaping = std::make_unique<ShapingFont>(path);
            QVERIFY2(shaping->isValid(), qPrintable(family + QLatin1String(": ") + path));
            fonts_[family] = {std::move(shaping), path};
        }
    }

    // A word processor sets each line as tall as the tallest font on it; a
    // math font taller than the text font would open up every line that
    // holds a symbol.
    void mathFontsFitTheTextLine()
    {
        const auto metric = [](hb_font_t* font, hb_ot_metrics_tag_t tag) {
            hb_position_t position = 0;
            hb_ot_metrics_get_position(font, tag, &position);
            return position * 1000.0 / hb_face_get_upem(hb_font_get_face(font));
        };
        hb_font_t* text = fonts_.at(QString::fromLatin1(kTextFont)).shaping->font();
        for (const auto& [family, file] : mathFontFiles()) {
            hb_font_t* math = fonts_.at(family).shaping->font();
            for (hb_ot_metrics_tag_t tag :
                 {HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER}) {
                const double ours = metric(math, tag), theirs = metric(text, tag);
                QVERIFY2(std::abs(ours) <= std::abs(theirs),
                         qPrintable(QStringLiteral("%1: %2 against %3").arg(family).arg(ours).arg(theirs)));
            }
        }
    }

    void barsRunUnbroken_data()
    {
        QTest::addColumn<Expression>("expression");
        QTest::addColumn<double>("points");
        const QList<Expression> expressions = readExpressions(QStringLiteral(GLYPHBOARD_EXPRESSIONS));
        QVERIFY(!expressions.isEmpty());
        // The size the sheet is read at, and the ends of the range a teacher
        // types at, where rounding and proportions are at their worst.
        for (double points : {12.0, 9.0, 36.0}) {
            for (const Expression& expression : expressions) {
                if (!expression.bars.isEmpty())
                    QTest::newRow(qPrintable(QStringLiteral("%1 pt %2").arg(points).arg(expression.caption)))
                        << expression << points;
            }
        }
    }

    void barsRunUnbroken()
    {
        QFETCH(Expression, expression);
        QFETCH(double, points);
        const RenderedLine line = render(expression, points);
        const double pixelsPerEm = points * kDpi / 72;
        for (const Bar& bar : expression.bars) {
            const int row = int(std::floor(line.baseline - bar.height * pixelsPerEm / 1000));
            // One pixel in from either end: the ends themselves are the
            // neighbours' business (a sign's corner, the next character).
            const int from = int(std::ceil(line.left[bar.last])) + 1;
            const int to = int(std::floor(line.right[bar.first])) - 1;
            QVERIFY2(from < to, "the bar spans nothing");
            QStringList gaps;
            int gapStart = -1;
            for (int x = from; x <= to + 1; ++x) {
                const bool white = x <= to && qGray(line.image.pixel(x, row)) >= 128;
                if (white && gapStart < 0)
                    gapStart = x;
                if (!white && gapStart >= 0) {
                    gaps.append(QStringLiteral("%1..%2").arg(gapStart - from).arg(x - 1 - from));
                    gapStart = -1;
                }
            }
            if (!gaps.isEmpty()) {
                QFAIL(qPrintable(QStringLiteral("bar at %1 has white pixels at %2 of %3 (image: %4)")
                                     .arg(bar.height)
                                     .arg(gaps.join(QStringLiteral(", ")))
                                     .arg(to - from)
                                     .arg(save(line))));
            }
            // Between a bar's ink and the text's it spans there is a row of
            // neither, so the two never touch.
            const auto barRow = [&](int y) {
                int inked = 0;
                for (int x = from; x <= to; ++x)
                    inked += qGray(line.math.pixel(x, y)) < 128;
                return 2 * inked > to - from + 1;
            };
            int top = row, bottom = row;
            while (top > 0 && barRow(top - 1))
                --top;
            while (bottom + 1 < line.math.height() && barRow(bottom + 1))
                ++bottom;
            for (int y = top - 1; y <= bottom + 1; ++y) {
                for (int x = from; x <= to; ++x) {
                    if (qGray(line.text.pixel(x, y)) < 128)
                        QFAIL(qPrintable(
                            QStringLiteral(
                                "bar at %1 (rows %2..%3) touched by the text at row %4, %5 px from its left end (image: %6)")
                                .arg(bar.height)
                                .arg(top)
                                .arg(bottom)
                                .arg(y)
                                .arg(x - from)
                                .arg(save(line))));
                }
            }
        }
    }
};

QTEST_MAIN(TestComposedExpressions)
#include "test_composed_expressions.moc"
