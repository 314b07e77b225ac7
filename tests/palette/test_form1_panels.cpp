// Panels, views, the about panel and the strip frames, driven by mouse input
// at window positions, so that the stacking decides which control reacts.

#include "PaletteFixture.h"

using namespace palette;
using namespace palette::testing;

Q_DECLARE_METATYPE(palette::Panel)

namespace {

QString Frames(const Palette& palette)
{
    QString shown;
    for (int i = 0; i < 6; ++i)
        if (palette.shown(QStringLiteral("Shape2_%1").arg(i)))
            shown += QString::number(i);
    return shown;
}

} // namespace

class TestForm1Panels : public QObject {
    Q_OBJECT
private slots:
    void panelButtons_data()
    {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<Panel>("panel");
        QTest::addColumn<QStringList>("overlaysAtOrigin");

        QTest::newRow("letters") << QStringList{"Command4"} << PanelLetters << QStringList{"Image1"};
        QTest::newRow("geometry") << QStringList{"Command5"} << PanelGeometry << QStringList{"Image2"};
        QTest::newRow("calculus") << QStringList{"Command6"} << PanelCalculus << QStringList{"Image3"};
        QTest::newRow("algebra again") << QStringList{"Command3"} << PanelAlgebra << QStringList{};
        QTest::newRow("letters twice") << QStringList{"Command4", "Command4"} << PanelLetters
                                       << QStringList{"Image1"};
        // The algebra button hides the overlays and leaves them in place.
        QTest::newRow("letters, geometry, algebra")
            << QStringList{"Command4", "Command5", "Command3"} << PanelAlgebra << QStringList{"Image1", "Image2"};
        QTest::newRow("calculus then letters")
            << QStringList{"Command6", "Command4"} << PanelLetters << QStringList{"Image1", "Image3"};
    }

    void panelButtons()
    {
        QFETCH(QStringList, buttons);
        QFETCH(Panel, panel);
        QFETCH(QStringList, overlaysAtOrigin);

        Palette palette;
        for (const QString& button : buttons) {
            palette.click("Label3"); // every panel button also closes the about panel
            QVERIFY(palette.shown("Picture3"));
            palette.click(button);
            QVERIFY(!palette.shown("Picture3"));
        }
        QCOMPARE(palette.form->CurrentPanel(), panel);
        // At most one overlay shows; the parked ones have not moved.
        const QString overlay[] = {"Image1", "Image2", "Image3"};
        const QPoint parked[] = {{90 / 15, 3030 / 15}, {135 / 15, 5205 / 15}, {165 / 15, 7350 / 15}};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(palette.shown(overlay[i]), int(panel) == i + 1);
            QCOMPARE(palette.control(overlay[i])->pos(),
                     overlaysAtOrigin.contains(overlay[i]) ? QPoint(0, 0) : parked[i]);
        }
        QCOMPARE(Frames(palette), QStringLiteral("012345"));
    }

    // The first overlay in the order Image1, Image2, Image3 that is visible
    // names the panel, also when more than one is.
    void panelRuleTieBreak()
    {
        Palette palette;
        palette.control("Image3")->show();
        palette.control("Image2")->show();
        QCOMPARE(palette.form->CurrentPanel(), PanelGeometry);
        palette.control("Image1")->show();
        QCOMPARE(palette.form->CurrentPanel(), PanelLetters);
    }

    void aboutPanel()
    {
        Palette palette;
        const QList<std::pair<const char*, const char*>> openClose{
            {"Label3", "Picture3"}, {"Menu", "Image7"}, {"Label3", "Image8"}};
        for (const auto& [opener, closer] : openClose) {
            palette.click(opener);
            QVERIFY(palette.shown("Picture3"));
            palette.click(closer);
            QVERIFY(!palette.shown("Picture3"));
        }
        // Picture3 itself, on its border above Image8.
        palette.click("Menu");
        palette.click(palette.control("Picture3")->mapTo(palette.form.get(), QPoint(400, 1)));
        QVERIFY(!palette.shown("Picture3"));
    }

    // The open about panel covers the cells, the strip and the collapse
    // icon: clicking there only closes it, moving there changes nothing.
    void aboutPanelCoversCellsAndStrip()
    {
        Palette palette;
        palette.click("Label3");
        const QPoint shape1 = palette.control("Shape1")->pos();
        for (const QPoint at :
             {palette.centreOf("Label2_4"), palette.centreOf("Image6"), palette.centreOf("Label1_0")})
            palette.move(at);
        QCOMPARE(Frames(palette), QStringLiteral("012345"));
        QCOMPARE(palette.control("Shape1")->pos(), shape1);

        for (const char* covered : {"Label1_20", "Label2_0", "Image6"}) {
            palette.click("Menu");
            palette.click(covered);
            QVERIFY(!palette.shown("Picture3"));
            QVERIFY(!palette.shown("Picture2"));
        }
        QVERIFY(palette.link.calls.empty());
        QVERIFY(palette.link.log.isEmpty());
    }

    void collapseAndExpand()
    {
        Palette palette;
        palette.click("Command5");
        palette.move("Label2_1");
        const QPoint topLeft = palette.form->geometry().topLeft();

        palette.click("Image6");
        QVERIFY(palette.shown("Picture2"));
        QCOMPARE(palette.form->size(), QSize(780 / 15, 570 / 15));
        QCOMPARE(palette.form->geometry().topLeft(), topLeft);
        // Picture2 covers the whole collapsed client area.
        QVERIFY(palette.control("Picture2")->geometry().contains(palette.form->rect()));

        palette.click("Image5");
        QVERIFY(!palette.shown("Picture2"));
        QCOMPARE(palette.form->size(), QSize(10605 / 15, 2640 / 15));
        QCOMPARE(palette.form->geometry().topLeft(), topLeft);
        QCOMPARE(palette.form->CurrentPanel(), PanelGeometry);
        // Frame 3 joined on the way onto the collapse icon.
        QCOMPARE(Frames(palette), QStringLiteral("13"));
    }

    // Collapsed, only the expand icon reacts; the rest of the client area is
    // Picture2, above where the panel buttons lie.
    void collapsedViewIgnoresClicksButExpand()
    {
        Palette palette;
        palette.click("Command4");
        palette.click("Image6");
        const QRect image5 = QRect(palette.control("Image5")->mapTo(palette.form.get(), QPoint()),
                                   palette.control("Image5")->size());
        const QSize client = palette.form->size();
        for (const QPoint at : {QPoint(2, 10), QPoint(2, client.height() - 1), QPoint(client.width() - 1, 20),
                                QPoint(20, client.height() - 1)}) {
            QVERIFY(!image5.contains(at));
            palette.click(at);
            palette.move(at);
        }
        QVERIFY(palette.shown("Picture2"));
        QCOMPARE(palette.form->CurrentPanel(), PanelLetters);
        QCOMPARE(Frames(palette), QStringLiteral("012345"));
        QVERIFY(palette.link.calls.empty());
    }

    // Moves in the gap between cells reach the overlay picture when one is
    // shown, and Picture1 (which hides every strip frame) on the algebra
    // panel.
    void gapMovesFollowTheStacking_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("framesAfter");
        QTest::newRow("algebra") << "Command3"
                                 << "";
        QTest::newRow("letters") << "Command4"
                                 << "012345";
        QTest::newRow("geometry") << "Command5"
                                  << "012345";
        QTest::newRow("calculus") << "Command6"
                                  << "012345";
    }

    void gapMovesFollowTheStacking()
    {
        QFETCH(QString, button);
        QFETCH(QString, framesAfter);
        Palette palette;
        palette.click(button);
        palette.move("Label1_0");
        const QPoint onCell0 = palette.control("Shape1")->pos();
        // Between cells 0 and 1, and between the rows 0 and 1.
        palette.move(Palette::inPicture1(660, 200));
        palette.move(Palette::inPicture1(300, 500));
        QCOMPARE(Frames(palette), framesAfter);
        QCOMPARE(palette.control("Shape1")->pos(), onCell0);
    }

    void stripFrames()
    {
        Palette palette;
        // Onto the collapse icon: frame 3 joins whatever shows.
        palette.move("Image6");
        QCOMPARE(Frames(palette), QStringLiteral("012345"));
        // Strip cells: only the cell's own frame, whatever showed before.
        for (int i : {4, 5, 0, 1, 2}) {
            palette.move(QStringLiteral("Label2_%1").arg(i));
            QCOMPARE(Frames(palette), QString::number(i));
        }
        palette.move("Image6");
        QCOMPARE(Frames(palette), QStringLiteral("23"));
        // The strip picture between its cells hides every frame.
        palette.move(Palette::inPicture1(2040, 2400));
        QCOMPARE(Frames(palette), QString());
        palette.move("Image6");
        QCOMPARE(Frames(palette), QStringLiteral("3"));
        // The panel background (algebra: Picture1) hides them as well.
        palette.move(Palette::inPicture1(660, 200));
        QCOMPARE(Frames(palette), QString());
        // The strip frames let moves through to the cells beneath them.
        palette.move(Palette::inPicture1(720 + 1, 2130 + 1));
        QCOMPARE(Frames(palette), QStringLiteral("4"));
    }
};

QTEST_MAIN(TestForm1Panels)
#include "test_form1_panels.moc"
