#include "SymbolCatalogue.h"

#include <QTest>

#include <set>
#include <string>

using namespace palette;

Q_DECLARE_METATYPE(palette::Panel)

namespace {

std::u16string Str(std::u16string_view view)
{
    return std::u16string(view);
}

} // namespace

class TestSymbolCatalogue : public QObject {
    Q_OBJECT
private slots:
    // Entries that are easy to damage on their way from the table into the
    // program: spaces at either end, lone marks, quote and backslash
    // characters, empty texts and names, Latin letters inside Arabic names.
    void exactEntries_data()
    {
        QTest::addColumn<Panel>("panel");
        QTest::addColumn<int>("index");
        QTest::addColumn<std::u16string>("text");
        QTest::addColumn<std::u16string>("font");
        QTest::addColumn<std::u16string>("name");

        const std::u16string diza = u"Al-DizaDorvan";
        const std::u16string zavura = u"Al-ZavuraDorvan";
        QTest::newRow("algebra 0") << PanelAlgebra << 0 << std::u16string(u"\x062D\x0645\x0633\x0020") << diza
                                   << std::u16string(u"أقل من أو يساوي");
        QTest::newRow("algebra 2 not composed")
            << PanelAlgebra << 2 << std::u16string(u"\x0644\x0622") << diza << std::u16string(u"لا يساوي");
        QTest::newRow("algebra 5 backslash")
            << PanelAlgebra << 5 << std::u16string(u"\\") << diza << std::u16string(u"يساوي على السطر");
        QTest::newRow("algebra 6 vertical line")
            << PanelAlgebra << 6 << std::u16string(u"\x007C") << diza << std::u16string(u"حد الكسر على السطر");
        QTest::newRow("algebra 14 spaces both ends")
            << PanelAlgebra << 14 << std::u16string(u"\x0020\x064A\x0645\x0020") << diza
            << std::u16string(u"إذا وفقط إذا");
        QTest::newRow("algebra 29 lone sukun")
            << PanelAlgebra << 29 << std::u16string(u"\x0652") << diza << std::u16string(u"تكملة يقتضي");
        QTest::newRow("algebra 33") << PanelAlgebra << 33 << std::u16string(u"\x0641\x0641\x0020") << diza
                                    << std::u16string(u"تكافؤ");
        QTest::newRow("algebra 36 same text other font")
            << PanelAlgebra << 36 << std::u16string(u"\x0641\x0641\x0020") << zavura
            << std::u16string(u"لكتابة فن");
        QTest::newRow("letters 0") << PanelLetters << 0 << std::u16string(u"\x0020\x0639\x0020") << zavura
                                   << std::u16string(u"ع بسط");
        QTest::newRow("letters 9 five units")
            << PanelLetters << 9 << std::u16string(u"\x0020\x0644\x0647\x0633\x0020") << diza
            << std::u16string(u"هـ بسط");
        QTest::newRow("letters 29 trailing space in name")
            << PanelLetters << 29 << std::u16string(u"_") << zavura << std::u16string(u"سالب بسط ");
        QTest::newRow("geometry 33") << PanelGeometry << 33 << std::u16string(u"[") << diza
                                     << std::u16string(u"الجذر الوسط");
        QTest::newRow("geometry 35") << PanelGeometry << 35 << std::u16string(u"[") << zavura
                                     << std::u16string(u"جذر اكبر");
        QTest::newRow("geometry 42 empty") << PanelGeometry << 42 << std::u16string() << diza << std::u16string();
        QTest::newRow("geometry 43 empty") << PanelGeometry << 43 << std::u16string() << diza << std::u16string();
        QTest::newRow("geometry 51 text font") << PanelGeometry << 51 << std::u16string(u"!")
                                               << std::u16string(u"Traditional Arabic") << std::u16string(u"مضروب");
        QTest::newRow("calculus 0 quotation mark")
            << PanelCalculus << 0 << std::u16string(u"\x0022") << zavura << std::u16string(u"ط حد علوي تكامل ");
        QTest::newRow("calculus 14 empty") << PanelCalculus << 14 << std::u16string() << zavura << std::u16string();
        QTest::newRow("calculus 28 Latin e first") << PanelCalculus << 28 << std::u16string(u"\x0020\x062A\x064A")
                                                   << zavura << std::u16string(u"eحد تكامل علوي");
        QTest::newRow("calculus 42 Latin e last") << PanelCalculus << 42 << std::u16string(u"\x0020\x062A\x0645")
                                                  << zavura << std::u16string(u"حد تكامل سفليe");
        QTest::newRow("calculus 47 two leading spaces")
            << PanelCalculus << 47 << std::u16string(u"\x0020\x0020\x0635") << diza << std::u16string(u"ص");
        QTest::newRow("calculus 55 last cell") << PanelCalculus << 55 << std::u16string(u"\x0020\x0646\x0645")
                                               << zavura << std::u16string(u"مشتقة نونية");
    }

    void exactEntries()
    {
        QFETCH(Panel, panel);
        QFETCH(int, index);
        QFETCH(std::u16string, text);
        QFETCH(std::u16string, font);
        QFETCH(std::u16string, name);

        const CatalogueEntry& entry = SymbolCatalogue(panel, index);
        QCOMPARE(Str(entry.text), text);
        QCOMPARE(Str(entry.font), font);
        QCOMPARE(Str(entry.name), name);
    }

    // Each panel has a default font and a few cells in another one; every
    // one of the 224 entries must follow that rule, which checks the font
    // column of the whole table against an independent description of it.
    void fontsFollowThePanelRule_data()
    {
        QTest::addColumn<Panel>("panel");
        QTest::addColumn<QString>("defaultFont");
        QTest::addColumn<QList<int>>("dizaCells");
        QTest::addColumn<QList<int>>("zavuraCells");
        QTest::addColumn<QList<int>>("textFontCells");

        QTest::newRow("algebra") << PanelAlgebra << "Al-DizaDorvan" << QList<int>{} << QList<int>{18, 36}
                                 << QList<int>{};
        QTest::newRow("letters") << PanelLetters << "Al-ZavuraDorvan" << QList<int>{9, 11, 23, 25, 36, 37, 50, 51}
                                 << QList<int>{} << QList<int>{};
        QTest::newRow("geometry") << PanelGeometry << "Al-DizaDorvan" << QList<int>{}
                                  << QList<int>{8, 22, 34, 35, 36, 41, 50} << QList<int>{51};
        QTest::newRow("calculus") << PanelCalculus << "Al-ZavuraDorvan" << QList<int>{5, 19, 32, 33, 46, 47}
                                  << QList<int>{} << QList<int>{};
    }

    void fontsFollowThePanelRule()
    {
        QFETCH(Panel, panel);
        QFETCH(QString, defaultFont);
        QFETCH(QList<int>, dizaCells);
        QFETCH(QList<int>, zavuraCells);
        QFETCH(QList<int>, textFontCells);

        for (int i = 0; i < kCellCount; ++i) {
            QString expected = defaultFont;
            if (dizaCells.contains(i))
                expected = QStringLiteral("Al-DizaDorvan");
            if (zavuraCells.contains(i))
                expected = QStringLiteral("Al-ZavuraDorvan");
            if (textFontCells.contains(i))
                expected = QStringLiteral("Traditional Arabic");
            const std::u16string_view font = SymbolCatalogue(panel, i).font;
            QCOMPARE(QString::fromUtf16(font.data(), font.size()), expected);
        }
    }

    // Limits every entry keeps: texts of at most five code units, names of at
    // most 22; exactly three empty texts and three empty names, all at the
    // same cells.
    void limitsOverAllEntries()
    {
        std::set<std::pair<int, int>> emptyTexts;
        std::set<std::pair<int, int>> emptyNames;
        for (int panel = 0; panel < kPanelCount; ++panel) {
            for (int i = 0; i < kCellCount; ++i) {
                const CatalogueEntry& entry = SymbolCatalogue(Panel(panel), i);
                QVERIFY2(entry.text.size() <= 5, qPrintable(QStringLiteral("%1/%2").arg(panel).arg(i)));
                QVERIFY2(entry.name.size() <= 22, qPrintable(QStringLiteral("%1/%2").arg(panel).arg(i)));
                if (entry.text.empty())
                    emptyTexts.insert({panel, i});
                if (entry.name.empty())
                    emptyNames.insert({panel, i});
            }
        }
        const std::set<std::pair<int, int>> expected{{PanelGeometry, 42}, {PanelGeometry, 43}, {PanelCalculus, 14}};
        QCOMPARE(emptyTexts, expected);
        QCOMPARE(emptyNames, expected);
    }

    // Cell 14 deletes first on every panel, and no other cell does: the flag
    // of all 224 entries against that rule, so a stray "yes" in the table is
    // caught as surely as a missing one.
    void onlyCell14DeletesFirst()
    {
        std::set<std::pair<int, int>> deleting;
        for (int panel = 0; panel < kPanelCount; ++panel) {
            for (int i = 0; i < kCellCount; ++i) {
                if (SymbolCatalogue(Panel(panel), i).deleteFirst)
                    deleting.insert({panel, i});
            }
        }
        const std::set<std::pair<int, int>> expected{
            {PanelAlgebra, 14}, {PanelLetters, 14}, {PanelGeometry, 14}, {PanelCalculus, 14}};
        QCOMPARE(deleting, expected);
    }
};

QTEST_APPLESS_MAIN(TestSymbolCatalogue)
#include "test_symbol_catalogue.moc"
