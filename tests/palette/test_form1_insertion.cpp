// Cell clicks, strip clicks and cell hovers against a recording document
// link: what reaches the word processor, the failure box, and the frame and
// tooltip a hover sets.

#include "PaletteFixture.h"

#include <QLabel>

using namespace palette;
using namespace palette::testing;

namespace {

const QString kDiza = QStringLiteral("Al-DizaDorvan");
const QString kZavura = QStringLiteral("Al-ZavuraDorvan");
const QString kText = QStringLiteral("Traditional Arabic");

const char* PanelButton(int panel)
{
    static const char* const buttons[] = {"Command3", "Command4", "Command5", "Command6"};
    return buttons[panel];
}

QString Cell(int index)
{
    return QStringLiteral("Label1_%1").arg(index);
}

std::u16string U16(const QString& s)
{
    return s.toStdU16String();
}

} // namespace

class TestForm1Insertion : public QObject {
    Q_OBJECT
private slots:
    void cellClickTypesTheCurrentPanelsEntry_data()
    {
        QTest::addColumn<int>("panel");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("font");
        QTest::addColumn<bool>("deleteFirst");

        QTest::newRow("algebra 0") << 0 << 0 << QString::fromUtf16(u"\x062D\x0645\x0633\x0020") << kDiza << false;
        QTest::newRow("algebra 14") << 0 << 14 << QString::fromUtf16(u"\x0020\x064A\x0645\x0020") << kDiza << true;
        QTest::newRow("algebra 55") << 0 << 55 << QString::fromUtf16(u"\x0629") << kDiza << false;
        QTest::newRow("letters 0") << 1 << 0 << QString::fromUtf16(u"\x0020\x0639\x0020") << kZavura << false;
        QTest::newRow("letters 14") << 1 << 14 << QString::fromUtf16(u"\x0020\x0639\x0639") << kZavura << true;
        QTest::newRow("letters 15") << 1 << 15 << QString::fromUtf16(u"\x0635\x0635\x0020") << kZavura << false;
        QTest::newRow("geometry 14") << 2 << 14 << QString::fromUtf16(u"\x0650") << kDiza << true;
        QTest::newRow("geometry 42 empty") << 2 << 42 << QString() << kDiza << false;
        QTest::newRow("geometry 51") << 2 << 51 << QStringLiteral("!") << kText << false;
        QTest::newRow("calculus 0") << 3 << 0 << QString::fromUtf16(u"\x0022") << kZavura << false;
        QTest::newRow("calculus 13") << 3 << 13 << QString::fromUtf16(u"\x0020\x062F") << kZavura << false;
        QTest::newRow("calculus 14 delete only") << 3 << 14 << QString() << kZavura << true;
        QTest::newRow("calculus 47") << 3 << 47 << QString::fromUtf16(u"\x0020\x0020\x0635") << kDiza << false;
    }

    void cellClickTypesTheCurrentPanelsEntry()
    {
        QFETCH(int, panel);
        QFETCH(int, cell);
        QFETCH(QString, text);
        QFETCH(QString, font);
        QFETCH(bool, deleteFirst);

        Palette palette;
        palette.click(PanelButton(panel));
        palette.click(Cell(cell));
        QCOMPARE(palette.link.calls, (std::vector<Call>{{U16(text), U16(font), deleteFirst}}));
        QCOMPARE(palette.link.log, QStringList{"type"}); // no beep
    }

    // Clicking twice types twice; a double click types once. The click
    // changes neither the panel nor the focus.
    void repeatedAndDoubleClicks()
    {
        Palette palette;
        palette.click("Command6");
        QWidget* const focus = palette.form->focusWidget();
        const Call quote{u"\x0022", U16(kZavura), false};

        palette.click(Cell(0));
        palette.click(Cell(0));
        QCOMPARE(palette.link.calls, (std::vector<Call>{quote, quote}));

        palette.link.calls.clear();
        palette.doubleClick(palette.centreOf(Cell(0)));
        QCOMPARE(palette.link.calls, std::vector<Call>{quote});

        palette.link.calls.clear();
        palette.doubleClick(palette.centreOf("Label2_2"));
        QCOMPARE(palette.link.calls, (std::vector<Call>{{u"\r", U16(kText), false}}));

        QCOMPARE(palette.form->CurrentPanel(), PanelCalculus);
        QCOMPARE(palette.form->focusWidget(), focus);
    }

    // Every strip cell, on a panel other than algebra to show that the strip
    // does not depend on it; the space cell beeps before the word processor
    // is called.
    void stripCells_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("font");
        QTest::addColumn<bool>("deleteFirst");
        QTest::addColumn<QStringList>("log");

        const QStringList typeOnly{"type"};
        QTest::newRow("0 space") << 0 << QStringLiteral(" ") << kText << false << QStringList{"beep", "type"};
        QTest::newRow("1 delete") << 1 << QString() << kText << true << typeOnly;
        QTest::newRow("2 new line") << 2 << QString::fromUtf16(u"\x000D") << kText << false << typeOnly;
        QTest::newRow("3 out of view") << 3 << QString() << kText << false << typeOnly;
        QTest::newRow("4 point") << 4 << QString::fromUtf16(u"\x007B\x0633\x060C\x0635\x007D") << kDiza << false
                                 << typeOnly;
        QTest::newRow("5 function") << 5 << QString::fromUtf16(u"\x0020\x062C\x062F\x0020") << kDiza << false
                                    << typeOnly;
    }

    void stripCells()
    {
        QFETCH(int, cell);
        QFETCH(QString, text);
        QFETCH(QString, font);
        QFETCH(bool, deleteFirst);
        QFETCH(QStringList, log);

        Palette palette;
        palette.click("Command5");
        const QString name = QStringLiteral("Label2_%1").arg(cell);
        if (cell == 3) {
            // Below the client area: no pointer reaches it, so its click
            // event is raised directly.
            QVERIFY(!palette.form->rect().contains(palette.centreOf(name)));
            QTest::mouseClick(palette.control(name), Qt::LeftButton);
        } else {
            palette.click(name);
        }
        QCOMPARE(palette.link.calls, (std::vector<Call>{{U16(text), U16(font), deleteFirst}}));
        QCOMPARE(palette.link.log, log);
    }

    // A failing link, or a backend fault of any kind, ends the click with
    // exactly one box, whatever button answers it; the next click starts
    // afresh.
    void failureShowsOneBox_data()
    {
        using Failure = RecordingLink::Failure;
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("cell, cancel") << Failure::LinkError << "Label1_0"
                                      << "Cancel" << QStringList{"type"};
        QTest::newRow("cell, try again") << Failure::LinkError << "Label1_14"
                                         << "Try Again" << QStringList{"type"};
        QTest::newRow("space, continue") << Failure::LinkError << "Label2_0"
                                         << "Continue" << QStringList{"beep", "type"};
        QTest::newRow("cell, unexpected fault") << Failure::Unexpected << "Label1_5"
                                                << "Cancel" << QStringList{"type"};
        QTest::newRow("strip, unexpected fault") << Failure::Unexpected << "Label2_4"
                                                 << "Cancel" << QStringList{"type"};
    }

    void failureShowsOneBox()
    {
        QFETCH(RecordingLink::Failure, failure);
        QFETCH(QString, target);
        QFETCH(QString, answer);
        QFETCH(QStringList, log);

        Palette palette;
        palette.link.failure = failure;
        {
            BoxAnswerer answerer(answer);
            palette.click(target);
            QCOMPARE(answerer.seen.size(), 1u);
            const BoxAnswerer::Seen& box = answerer.seen.front();
            QCOMPARE(box.objectName, QString::fromLatin1(kFailureBoxName));
            QCOMPARE(box.text, QStringLiteral("برنامج الوورد لا يعمل"));
            QCOMPARE(box.title, QStringLiteral("Close Program"));
            QCOMPARE(box.buttons, (QStringList{"Cancel", "Try Again", "Continue"}));
            QCOMPARE(box.defaultButton, QStringLiteral("Cancel"));
            QVERIFY(!box.hasIcon);
        }
        QCOMPARE(palette.link.log, log); // nothing retried
        QVERIFY(!QApplication::activeModalWidget());

        palette.link.failure = RecordingLink::Failure::None;
        palette.link.calls.clear();
        palette.click("Label1_1");
        QCOMPARE(palette.link.calls.size(), 1u);
        QCOMPARE(palette.link.calls.front().text, std::u16string(u"\x062C\x0645\x0633\x0020"));
    }

    void hoverMovesTheFrameOntoTheCell_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QPoint>("frameAt");
        QTest::newRow("0") << 0 << QPoint(75, 45);
        QTest::newRow("13") << 13 << QPoint(8805, 45);
        QTest::newRow("28") << 28 << QPoint(60, 1080);
        QTest::newRow("55") << 55 << QPoint(8805, 1605);
    }

    void hoverMovesTheFrameOntoTheCell()
    {
        QFETCH(int, cell);
        QFETCH(QPoint, frameAt);
        Palette palette;
        palette.move(Cell(cell));
        QCOMPARE(palette.control("Shape1")->pos() * 15, frameAt);
        QCOMPARE(palette.control("Shape1")->size() * 15, QSize(540, 420));
        QVERIFY(palette.link.calls.empty());
    }

    void hoverSetsTheTooltipOfTheCurrentPanel_data()
    {
        QTest::addColumn<int>("panel");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("name");
        QTest::newRow("algebra 0") << 0 << 0 << QStringLiteral("أقل من أو يساوي");
        QTest::newRow("letters 0") << 1 << 0 << QStringLiteral("ع بسط");
        QTest::newRow("letters 29 trailing space") << 1 << 29 << QStringLiteral("سالب بسط ");
        QTest::newRow("geometry 42 empty") << 2 << 42 << QString();
        QTest::newRow("geometry 43 empty") << 2 << 43 << QString();
        QTest::newRow("calculus 0 trailing space") << 3 << 0 << QStringLiteral("ط حد علوي تكامل ");
        QTest::newRow("calculus 14 empty") << 3 << 14 << QString();
    }

    void hoverSetsTheTooltipOfTheCurrentPanel()
    {
        QFETCH(int, panel);
        QFETCH(int, cell);
        QFETCH(QString, name);

        Palette palette;
        // The algebra name first, so that an empty name has to replace it.
        palette.move(Cell(cell));
        palette.click(PanelButton(panel));
        palette.move(Cell(cell));
        QCOMPARE(palette.control(Cell(cell))->toolTip(), name);
        QVERIFY(palette.link.calls.empty());
    }

    // A tooltip changes only with a move over its own cell: after a panel
    // change the other cells keep the old panel's names until then.
    void tooltipRefreshedOnlyByItsOwnCell()
    {
        Palette palette;
        palette.move(Cell(0));
        palette.move(Cell(1));
        palette.click("Command4");
        palette.move(Cell(1));
        QCOMPARE(palette.control(Cell(0))->toolTip(), QStringLiteral("أقل من أو يساوي"));
        QCOMPARE(palette.control(Cell(1))->toolTip(), QStringLiteral("ص بسط"));
        QCOMPARE(palette.control(Cell(2))->toolTip(), QString());
    }
};

QTEST_MAIN(TestForm1Insertion)
#include "test_form1_insertion.moc"
