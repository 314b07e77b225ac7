// Checks the font files of the installation medium as files: names, licence
// notices, no dotted circle, and line metrics that hold every glyph.
#include "MathFontFixture.h"

#include <QTest>

namespace {

QString nameEntry(hb_face_t* face, hb_ot_name_id_t id)
{
    unsigned length = 256;
    std::string utf8(length, '\0');
    length = hb_ot_name_get_utf8(face, id, hb_language_from_string("en", -1), &length, utf8.data());
    utf8.resize(length);
    return QString::fromStdString(utf8);
}

} // namespace

class TestFontFiles : public QObject {
    Q_OBJECT

private slots:
    void namesAndNotices_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("style");
        QTest::newRow("Vudida.ttf") << "Vudida.ttf"
                                    << "Al-DizaDorvan"
                                    << "Regular";
        QTest::newRow("Dizever.ttf") << "Dizever.ttf"
                                     << "Al-ZavuraDorvan"
                                     << "Regular";
        QTest::newRow("NurvelSans.ttf") << "NurvelSans.ttf"
                                        << "NurvelSans"
                                        << "Regular";
        QTest::newRow("NurvelSansB.ttf") << "NurvelSansB.ttf"
                                         << "NurvelSans"
                                         << "Bold";
    }

    void namesAndNotices()
    {
        QFETCH(QString, file);
        QFETCH(QString, family);
        QFETCH(QString, style);
        ShapingFont font(QStringLiteral(GLYPHBOARD_FONTS_DIR "/") + file);
        QVERIFY(font.isValid());
        QCOMPARE(nameEntry(font.face(), HB_OT_NAME_ID_FONT_FAMILY), family);
        QCOMPARE(nameEntry(font.face(), HB_OT_NAME_ID_FONT_SUBFAMILY), style);
        QVERIFY(nameEntry(font.face(), HB_OT_NAME_ID_COPYRIGHT).contains(QLatin1String("Google LLC")));
        QVERIFY(nameEntry(font.face(), HB_OT_NAME_ID_LICENSE).contains(QLatin1String("SIL Open Font License")));
        // The source's reserved name stays with the source.
        for (hb_ot_name_id_t id :
             {HB_OT_NAME_ID_FONT_FAMILY, HB_OT_NAME_ID_FULL_NAME, HB_OT_NAME_ID_POSTSCRIPT_NAME,
              HB_OT_NAME_ID_TYPOGRAPHIC_FAMILY, HB_OT_NAME_ID_TRADEMARK})
            QVERIFY2(!nameEntry(font.face(), id).contains(QLatin1String("Noto")), qPrintable(file));
    }

    void licenceTextIsShipped()
    {
        QFile licence(QStringLiteral(GLYPHBOARD_FONT_LICENCE));
        QVERIFY(licence.open(QIODevice::ReadOnly));
        const QByteArray text = licence.readAll();
        QVERIFY(text.contains("SIL OPEN FONT LICENSE"));
        QVERIFY(text.contains("Version 1.1"));
        QVERIFY(text.contains("Google LLC"));
    }

    void mathFontsHoldEveryGlyph_data()
    {
        QTest::addColumn<QString>("file");
        for (const auto& entry : mathFontFiles())
            QTest::newRow(qPrintable(entry.second)) << entry.second;
    }

    // No dotted circle (HarfBuzz would put one before lone marks), and the
    // ascent and descent that word processors clip lines to hold every glyph.
    void mathFontsHoldEveryGlyph()
    {
        QFETCH(QString, file);
        ShapingFont font(QStringLiteral(GLYPHBOARD_FONTS_DIR "/") + file);
        QVERIFY(font.isValid());
        hb_codepoint_t glyph = 0;
        QVERIFY(!hb_font_get_nominal_glyph(font.font(), 0x25CC, &glyph));

        hb_position_t ascender = 0, descender = 0, winAscent = 0, winDescent = 0;
        QVERIFY(hb_ot_metrics_get_position(font.font(), HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER, &ascender));
        QVERIFY(hb_ot_metrics_get_position(font.font(), HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER, &descender));
        QVERIFY(hb_ot_metrics_get_position(font.font(), HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_ASCENT, &winAscent));
        QVERIFY(
            hb_ot_metrics_get_position(font.font(), HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_DESCENT, &winDescent));
        const unsigned count = hb_face_get_glyph_count(font.face());
        for (hb_codepoint_t g = 0; g < count; ++g) {
            hb_glyph_extents_t e{};
            hb_font_get_glyph_extents(font.font(), g, &e);
            const int top = e.y_bearing, bottom = e.y_bearing + e.height;
            QVERIFY2(top <= ascender && top <= winAscent, qPrintable(font.glyphName(g)));
            QVERIFY2(bottom >= descender && bottom >= -winDescent, qPrintable(font.glyphName(g)));
        }
    }
};

QTEST_GUILESS_MAIN(TestFontFiles)
#include "test_font_files.moc"
