// Shapes every catalogue text in its math font, alone and next to every
// other text of the same font, as a right-to-left Arabic run.
#include "MathFontFixture.h"

#include <QTest>

#include <algorithm>
#include <functional>
#include <set>

namespace {

QString codePoints(const QString& text)
{
    QStringList cps;
    for (QChar c : text)
        cps << QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return cps.join(QLatin1Char(' '));
}

bool isLoneMark(const QString& text)
{
    return text.size() == 1 && text.at(0).category() == QChar::Mark_NonSpacing;
}

// True when text can be cut into texts of the font in a way other than
// (first, second): the font then sees one string for two meanings.
bool hasOtherReading(const QString& text, const QString& first, const QSet<QString>& texts)
{
    std::function<bool(qsizetype, bool)> parse = [&](qsizetype from, bool sameSoFar) {
        if (from == text.size())
            return !sameSoFar;
        for (qsizetype len = 1; from + len <= text.size(); ++len) {
            if (!texts.contains(text.mid(from, len)))
                continue;
            const bool same = sameSoFar && (from == 0 ? len == first.size() : true);
            if (parse(from + len, same))
                return true;
        }
        return false;
    };
    return parse(0, true);
}

} // namespace

class TestMathFontShaping : public QObject {
    Q_OBJECT

    QList<CatalogueRow> catalogue_;
    std::map<QString, std::unique_ptr<ShapingFont>> fonts_;

    // The cells whose face a (font, text) may draw: every cell holding it.
    QStringList cellsOf(const QString& font, const QString& text) const
    {
        QStringList cells;
        for (const CatalogueRow& row : catalogue_)
            if (row.font == font && row.text == text)
                cells << row.cell();
        return cells;
    }

private slots:
    void initTestCase()
    {
        catalogue_ = readCatalogue(QStringLiteral(GLYPHBOARD_CATALOGUE));
        QCOMPARE(catalogue_.size(), 224);
        for (const auto& [family, file] : mathFontFiles()) {
            auto font = std::make_unique<ShapingFont>(QStringLiteral(GLYPHBOARD_FONTS_DIR "/") + file);
            QVERIFY2(font->isValid(), qPrintable(file));
            fonts_[family] = std::move(font);
        }
    }

    void everyTextDrawsItsCellGlyph_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("text");
        for (const CatalogueRow& row : catalogue_)
            if (!row.text.isEmpty() && mathFontFiles().count(row.font))
                QTest::newRow(qPrintable(row.cell())) << row.font << row.text;
    }

    void everyTextDrawsItsCellGlyph()
    {
        QFETCH(QString, font);
        QFETCH(QString, text);
        const QList<ShapedGlyph> glyphs = fonts_.at(font)->shape(text);
        QCOMPARE(glyphs.size(), 1);
        QVERIFY2(cellsOf(font, text).contains(glyphs[0].name), qPrintable(glyphs[0].name));
        QVERIFY(glyphs[0].advance > 0);
        QVERIFY(glyphs[0].hasInk);

        const bool hasLetter = std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
        if (!hasLetter) {
            const QList<ShapedGlyph> asCommon = fonts_.at(font)->shape(text, HB_SCRIPT_COMMON);
            QCOMPARE(asCommon.size(), 1);
            QCOMPARE(asCommon[0].name, glyphs[0].name);
        }
    }

    // Two texts typed one after the other stay two symbols, also where
    // their marks meet and the shaper sorts them, except for the pairs
    // listed as inseparable: each of those reads as other texts too.
    void orderedPairsStayApart_data()
    {
        QTest::addColumn<QString>("font");
        for (const auto& entry : mathFontFiles())
            QTest::newRow(qPrintable(entry.first)) << entry.first;
    }

    void orderedPairsStayApart()
    {
        QFETCH(QString, font);
        const ShapingFont& shaping = *fonts_.at(font);
        QSet<QString> texts;
        for (const CatalogueRow& row : catalogue_)
            if (row.font == font && !row.text.isEmpty())
                texts.insert(row.text);
        std::map<QString, QString> glyphOf;
        for (const QString& text : texts)
            glyphOf[text] = shaping.shape(text).value(0).name;

        std::set<QString> failing;
        for (const auto& [first, firstGlyph] : glyphOf) {
            for (const auto& [second, secondGlyph] : glyphOf) {
                QStringList got;
                for (const ShapedGlyph& g : shaping.shape(first + second))
                    got << g.name;
                const QStringList apart{firstGlyph, secondGlyph};
                const QStringList reordered{secondGlyph, firstGlyph};
                if (got == apart || (isLoneMark(first) && isLoneMark(second) && got == reordered))
                    continue;
                failing.insert(codePoints(first) + QLatin1Char('\t') + codePoints(second));
            }
        }

        std::set<QString> known;
        QFile list(QStringLiteral(GLYPHBOARD_INSEPARABLE_PAIRS));
        QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
        QTextStream in(&list);
        in.setEncoding(QStringConverter::Utf8);
        while (!in.atEnd()) {
            const QStringList f = in.readLine().split(QLatin1Char('\t'));
            if (f.size() >= 3 && f[0] == font)
                known.insert(f[1] + QLatin1Char('\t') + f[2]);
        }

        QStringList unexpected;
        for (const QString& pair : failing)
            if (!known.count(pair))
                unexpected << font + QLatin1Char('\t') + pair;
        QVERIFY2(unexpected.isEmpty(),
                 qPrintable(QStringLiteral("pairs not separated:\n") + unexpected.join(QLatin1Char('\n'))));
        for (const QString& pair : known) {
            QVERIFY2(failing.count(pair), qPrintable(QStringLiteral("listed pair now separates: ") + pair));
            QString first, second;
            const QStringList halves = pair.split(QLatin1Char('\t'));
            for (const QString& cp : halves[0].split(QLatin1Char(' ')))
                first.append(QChar(char16_t(cp.mid(2).toUInt(nullptr, 16))));
            for (const QString& cp : halves[1].split(QLatin1Char(' ')))
                second.append(QChar(char16_t(cp.mid(2).toUInt(nullptr, 16))));
            QVERIFY2(hasOtherReading(first + second, first, texts),
                     qPrintable(QStringLiteral("listed pair has one reading only: ") + pair));
        }
    }
};

QTEST_GUILESS_MAIN(TestMathFontShaping)
#include "test_math_font_shaping.moc"
