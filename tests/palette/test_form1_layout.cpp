// The palette window as start-up leaves it: every control's place, size,
// stacking and visibility, the window's frame, position and sizes, and the
// initial state of panel, view, about panel, frames and focus.

#include "PaletteFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace palette;
using namespace palette::testing;

namespace {

// A control's rectangle in twips, relative to its container's client area.
struct Placed {
    int left, top, width, height;
    bool operator==(const Placed&) const = default;
};

Placed PlacedOf(QWidget* widget)
{
    auto* container = widget->parentWidget();
    QPoint origin;
    if (auto* frame = qobject_cast<QFrame*>(container); frame && container->parentWidget())
        origin = frame->contentsRect().topLeft();
    const QPoint at = widget->pos() - origin;
    return {at.x() * 15, at.y() * 15, widget->width() * 15, widget->height() * 15};
}

char* toString(const Placed& p)
{
    return qstrdup(
        qPrintable(QStringLiteral("(%1, %2, %3 x %4)").arg(p.left).arg(p.top).arg(p.width).arg(p.height)));
}

// Object names of a container's controls, topmost first.
QStringList Stacking(QWidget* container)
{
    QStringList names;
    for (QObject* child : container->children())
        if (child->isWidgetType())
            names.prepend(child->objectName());
    return names;
}

QStringList Cells(const char* array, int from, int to)
{
    QStringList names;
    for (int i = from; from <= to ? i <= to : i >= to; from <= to ? ++i : --i)
        names << QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(i);
    return names;
}

const int kDesignCellLefts[4][14] = {
    {75, 735, 1410, 2070, 2760, 3435, 4110, 4800, 5445, 6120, 6795, 7470, 8130, 8805},
    {75, 735, 1410, 2070, 2760, 3435, 4110, 4800, 5445, 6120, 6795, 7470, 8130, 8805},
    {60, 735, 1395, 2055, 2745, 3420, 4095, 4785, 5430, 6105, 6780, 7455, 8115, 8805},
    {60, 720, 1395, 2055, 2745, 3420, 4110, 4800, 5445, 6120, 6795, 7470, 8130, 8805},
};
const int kDesignRowTops[4] = {30, 570, 1080, 1605};

} // namespace

Q_DECLARE_METATYPE(Placed)

class TestForm1Layout : public QObject {
    Q_OBJECT
private slots:
    void rectangles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<Placed>("expected");

        const auto row = [](const char* name, const char* container, Placed placed) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container) << placed;
        };
        // Picture3 as start-up leaves it: moved to its working place.
        row("Picture2", "Form1", {-15, -30, 1050, 615});
        row("Picture3", "Form1", {1170, 0, 9420, 2745});
        row("Command6", "Form1", {0, 1110, 1155, 360});
        row("Command5", "Form1", {0, 750, 1155, 360});
        row("Command4", "Form1", {0, 390, 1155, 360});
        row("Command3", "Form1", {0, 30, 1155, 360});
        row("Command2", "Form1", {0, 1785, 1155, 360});
        row("Picture1", "Form1", {1185, 15, 9450, 9120});
        row("Text1", "Form1", {1455, 2565, 1215, 495});
        row("Label3", "Form1", {15, 1500, 1125, 255});
        row("Menu", "Form1", {-15, 2130, 1155, 540});
        row("Image5", "Picture2", {60, 30, 690, 525});
        row("Image7", "Picture3", {45, 30, 3720, 2640});
        row("Image8", "Picture3", {3780, 30, 5550, 2580});
        row("Shape2_5", "Picture1", {1395, 2130, 600, 465});
        row("Shape2_4", "Picture1", {720, 2130, 600, 465});
        row("Label2_5", "Picture1", {1380, 2130, 630, 465});
        row("Label2_4", "Picture1", {705, 2130, 600, 465});
        row("Shape2_3", "Picture1", {45, 2130, 615, 465});
        row("Image6", "Picture1", {0, 2100, 690, 525});
        row("Label2_3", "Picture1", {3750, 2760, 525, 390});
        row("Shape1", "Picture1", {8745, 2865, 540, 420});
        row("Image2", "Picture1", {135, 5205, 9420, 2085});
        row("Image1", "Picture1", {90, 3030, 9420, 2085});
        row("Label2_0", "Picture1", {2070, 2145, 5280, 450});
        row("Shape2_0", "Picture1", {2070, 2130, 5310, 465});
        row("Label2_2", "Picture1", {8145, 2160, 1230, 405});
        row("Label2_1", "Picture1", {7470, 2145, 540, 405});
        row("Shape2_1", "Picture1", {7455, 2130, 600, 465});
        row("Shape2_2", "Picture1", {8115, 2130, 1245, 465});
        row("Image4", "Picture1", {0, 2100, 9420, 525});
        row("Image3", "Picture1", {165, 7350, 9420, 2085});
        for (int i = 0; i < 56; ++i) {
            const int top = (i == 0 || i == 13) ? 45 : kDesignRowTops[i / 14];
            const QByteArray name = "Label1_" + QByteArray::number(i);
            QTest::newRow(name.constData()) << QString::fromLatin1(name) << QStringLiteral("Picture1")
                                            << Placed{kDesignCellLefts[i / 14][i % 14], top, 540, 420};
        }
    }

    void rectangles()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(Placed, expected);

        Palette palette;
        QWidget* widget = palette.control(name);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(PlacedOf(widget), expected);
    }

    void stackingTopmostFirst()
    {
        Palette palette;
        QCOMPARE(Stacking(palette.form.get()),
                 (QStringList{"Picture2", "Picture3", "Command6", "Command5", "Command4", "Command3", "Command2",
                              "Picture1", "Text1", "Label3", "Menu"}));
        QCOMPARE(Stacking(palette.control("Picture2")), QStringList{"Image5"});
        QCOMPARE(Stacking(palette.control("Picture3")), (QStringList{"Image7", "Image8"}));
        const QStringList picture1 =
            QStringList{"Shape2_5", "Shape2_4", "Label2_5", "Label2_4", "Shape2_3", "Image6", "Label2_3"}
            + Cells("Label1", 55, 0)
            + QStringList{"Shape1",   "Image2",   "Image1",   "Label2_0", "Shape2_0", "Label2_2",
                          "Label2_1", "Shape2_1", "Shape2_2", "Image4",   "Image3"};
        QCOMPARE(Stacking(palette.control("Picture1")), picture1);
    }

    // Pictures are shown at their natural size; an image control is exactly
    // its picture's size, plus one pixel each side where it has a border.
    void picturesAtNaturalSize_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QSize>("size");
        QTest::newRow("Picture1") << "Picture1" << QSize(628, 139);
        for (const char* panel : {"Image1", "Image2", "Image3"})
            QTest::newRow(panel) << panel << QSize(628, 139);
        QTest::newRow("Image4") << "Image4" << QSize(628, 35);
        QTest::newRow("Image5") << "Image5" << QSize(46, 35);
        QTest::newRow("Image6") << "Image6" << QSize(46, 35);
        QTest::newRow("Image7") << "Image7" << QSize(246, 174);
        QTest::newRow("Image8") << "Image8" << QSize(370, 172);
        QTest::newRow("Menu") << "Menu" << QSize(77, 36);
    }

    void picturesAtNaturalSize()
    {
        QFETCH(QString, owner);
        QFETCH(QSize, size);
        Palette palette;
        auto* label = palette.control<QLabel>(owner);
        QCOMPARE(label->pixmap().size(), size);
        QCOMPARE(label->contentsRect().topLeft(), QPoint(label->frameWidth(), label->frameWidth()));
        if (owner != QLatin1String("Picture1"))
            QCOMPARE(label->size(), size + QSize(2, 2) * label->frameWidth());
    }

    void windowFrameAndSizes()
    {
        RecordingLink link;
        Form1 form(link);
        // The design size until start-up, with the cells still bordered.
        QCOMPARE(form.size(), QSize(10710 / 15, 9690 / 15));
        QCOMPARE(form.findChild<QLabel*>("Label1_30")->frameShape(), QFrame::Box);

        form.Load();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("الإصدار الثالث لبرنامج Glyphboard"));
        QCOMPARE(form.geometry().topLeft(), QPoint(1425 / 15, 330 / 15));
        // Expanded: as wide as the panel, as high as the bottom of the strip.
        QCOMPARE(form.size(), QSize(10605 / 15, 2640 / 15));
        QCOMPARE(form.minimumSize(), form.maximumSize());

        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

        for (int i = 0; i < 56; ++i)
            QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1_%1").arg(i))->frameShape(), QFrame::NoFrame);
    }

    void captionsAndLabelFont()
    {
        Palette palette;
        const QList<std::pair<const char*, QString>> captions{{"Command2", "خروج"},
                                                              {"Command3", "جبر وعمليات"},
                                                              {"Command4", "حروف ودوال"},
                                                              {"Command5", "هندسة"},
                                                              {"Command6", "تفاضل وتكامل"}};
        for (const auto& [name, caption] : captions)
            QCOMPARE(palette.control<QPushButton>(name)->text(), caption);
        QCOMPARE(palette.control<QLineEdit>("Text1")->text(), QStringLiteral("Text1"));

        auto* label3 = palette.control<QLabel>("Label3");
        QCOMPARE(label3->text(), QStringLiteral("   حول البرنامج   "));
        QCOMPARE(label3->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(label3->font().pointSizeF(), 8.25);
        QCOMPARE(label3->frameShape(), QFrame::Box);
        QCOMPARE(label3->frameWidth(), 1);
        QVERIFY(!label3->autoFillBackground());
    }

    void startUpState()
    {
        Palette palette;
        QCOMPARE(palette.form->CurrentPanel(), PanelAlgebra);
        QVERIFY(!palette.shown("Picture2")); // expanded
        QVERIFY(!palette.shown("Picture3")); // about panel closed
        for (int i = 0; i < 6; ++i)
            QVERIFY(palette.shown(QStringLiteral("Shape2_%1").arg(i)));
        // The cell frame waits below the client area; strip cell 3 too.
        QVERIFY(!palette.form->rect().intersects(
            palette.control("Shape1")->geometry().translated(palette.control("Picture1")->pos())));
        QVERIFY(!palette.form->rect().intersects(
            palette.control("Label2_3")->geometry().translated(palette.control("Picture1")->pos())));
        QCOMPARE(palette.form->focusWidget(), palette.control("Text1"));
    }

    void exitClosesTheWindow_data()
    {
        QTest::addColumn<bool>("viaButton");
        QTest::newRow("Command2") << true;
        QTest::newRow("close box") << false;
    }

    void exitClosesTheWindow()
    {
        QFETCH(bool, viaButton);
        Palette palette;
        if (viaButton)
            palette.click("Command2");
        else
            palette.form->close();
        QVERIFY(!palette.form->isVisible());
        // The only window: closing it quits the application's event loop.
        QVERIFY(palette.form->testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(palette.link.calls.empty());
    }
};

QTEST_MAIN(TestForm1Layout)
#include "test_form1_layout.moc"
