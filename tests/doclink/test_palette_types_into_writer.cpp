// The whole road of a click: real cells of the palette window, clicked with
// the mouse on the offscreen platform, type through the LibreOffice link into
// a headless Writer, and the document is read back.

#include "Form1.h"
#include "HeadlessOffice.h"
#include "LibreOfficeDocumentLink.h"

#include <QTest>
#include <QWindow>

#include <optional>

using doclink::testing::HeadlessOffice;
using doclink::testing::Paragraph;
using doclink::testing::Portion;

class TestPaletteTypesIntoWriter : public QObject {
    Q_OBJECT

    std::optional<HeadlessOffice> office_;

private slots:
    void initTestCase()
    {
        office_.emplace("palette-test");
        office_->Start();
    }

    void cleanupTestCase() { office_.reset(); }

    void clickedCellsLandInTheDocument()
    {
        office_->OpenBlankDocument(u"DejaVu Sans");
        doclink::LibreOfficeDocumentLink::Options options;
        options.pipeName = office_->PipeName();
        doclink::LibreOfficeDocumentLink link(options);
        int beeps = 0;
        palette::Form1 form(link, [&beeps] { ++beeps; });
        form.Load();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        const auto click = [&form](const char* name) {
            auto* control = form.findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(control, name);
            QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {},
                              control->mapTo(&form, control->rect().center()));
        };
        click("Command4"); // letters
        click("Label1_0");
        click("Command3"); // algebra
        click("Label1_0");
        click("Label2_2");  // new line
        click("Label2_4");  // (س،ص)
        click("Command6");  // calculus
        click("Label1_14"); // delete only
        click("Label2_0");  // space, with a beep
        office_->TypeAtCursor(u"ن");

        const std::vector<Paragraph> expected{
            {{u" ع ", u"Al-ZavuraDorvan"}, {u"حمس ", u"Al-DizaDorvan"}},
            {{u"{س،ص", u"Al-DizaDorvan"}, {u" ", u"Traditional Arabic"}, {u"ن", u"Traditional Arabic"}}};
        const std::vector<Paragraph> actual = office_->Paragraphs();
        QStringList seen;
        for (const Paragraph& paragraph : actual)
            for (const Portion& portion : paragraph)
                seen << QString::fromStdU16String(portion.text + u" in " + portion.complexFont);
        QVERIFY2(actual == expected, qPrintable(seen.join(QStringLiteral(" | "))));
        QCOMPARE(beeps, 1);

        // Each click is one undo step, named after what the cell shows.
        const std::vector<std::u16string> titles = office_->UndoTitles();
        QCOMPARE(titles.at(1), std::u16string(u"مسافة"));
        QCOMPARE(titles.at(3), std::u16string(u"(س،ص)"));
    }
};

QTEST_MAIN(TestPaletteTypesIntoWriter)
#include "test_palette_types_into_writer.moc"
