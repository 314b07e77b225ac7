// Pixel checks of the pictures other than the panels: sizes of every
// resource, the editing strip, the view icons, the window icon and the
// about panel's pictures.
#include <QSet>
#include <QTest>

#include "PictureProbe.h"

namespace {

constexpr QRgb white = 0xFFFFFF;
constexpr QRgb dialogGrey = 0xD4D0C8;

bool dark(QRgb p)
{
    return qGray(p) < 128;
}

enum class Arrow { Up, Down, Left, Right };

// Which way a solid arrow in area points: its head is the broad end.
Arrow arrowDirection(const QImage& image, const QRect& area)
{
    const QRect ink = probe::inkBounds(image, area, dark);
    int widestRow = ink.top(), widest = 0;
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        const int n = probe::inkCount(image, QRect(ink.left(), y, ink.width(), 1), dark);
        if (n > widest)
            widest = n, widestRow = y;
    }
    int tallestColumn = ink.left(), tallest = 0;
    for (int x = ink.left(); x <= ink.right(); ++x) {
        const int n = probe::inkCount(image, QRect(x, ink.top(), 1, ink.height()), dark);
        if (n > tallest)
            tallest = n, tallestColumn = x;
    }
    // The head's base is the widest row of a vertical arrow and the
    // tallest column of a horizontal one; the shaft lies on the other side.
    if (ink.height() >= ink.width())
        return widestRow < ink.center().y() ? Arrow::Up : Arrow::Down;
    return tallestColumn < ink.center().x() ? Arrow::Left : Arrow::Right;
}

// The lines of text: runs of rows with ink, apart from the next run by at
// least three blank rows (vowel marks and dots sit closer than that).
int textLines(const QImage& image)
{
    int lines = 0;
    int blankRows = 3;
    for (int y = 0; y < image.height(); ++y) {
        const bool ink =
            probe::inkCount(image, QRect(0, y, image.width(), 1), [](QRgb p) { return qGray(p) < 100; }) > 0;
        if (ink && blankRows >= 3)
            ++lines;
        blankRows = ink ? 0 : blankRows + 1;
    }
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Arrow)

class PalettePictures : public QObject {
    Q_OBJECT

private slots:
    void sizes_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QSize>("size");
        QTest::newRow("window icon") << "Form1Icon" << QSize(32, 32);
        QTest::newRow("algebra") << "Picture1" << QSize(628, 139);
        QTest::newRow("letters") << "Image1" << QSize(628, 139);
        QTest::newRow("geometry") << "Image2" << QSize(628, 139);
        QTest::newRow("calculus") << "Image3" << QSize(628, 139);
        QTest::newRow("strip") << "Image4" << QSize(628, 35);
        QTest::newRow("expand icon") << "Image5" << QSize(46, 35);
        QTest::newRow("collapse icon") << "Image6" << QSize(46, 35);
        QTest::newRow("about logo") << "Image7" << QSize(246, 174);
        QTest::newRow("credits") << "Image8" << QSize(370, 172);
        QTest::newRow("signature") << "Menu" << QSize(77, 36);
    }

    // Every picture the palette loads is there at its exact size; all but
    // the icon are opaque.
    void sizes()
    {
        QFETCH(QString, owner);
        QFETCH(QSize, size);
        const QImage image(QStringLiteral(":/pictures/%1.png").arg(owner));
        QVERIFY2(!image.isNull(), qPrintable(owner));
        QCOMPARE(image.size(), size);
        if (owner != QLatin1String("Form1Icon")) {
            const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
            for (int y = 0; y < argb.height(); ++y)
                for (int x = 0; x < argb.width(); ++x)
                    QCOMPARE(qAlpha(argb.pixel(x, y)), 255);
        }
    }

    // White with black lines at x = 0, 45, 90, 135, 493, 538, 627 and
    // y = 0, 34, and a label or arrow in every field.
    void strip()
    {
        const QImage image = probe::load(QStringLiteral("Image4"));
        const QList<int> linesX{0, 45, 90, 135, 493, 538, 627};
        for (int x = 0; x < 628; ++x) {
            const QRgb p = image.pixel(x, 1) & 0xFFFFFF;
            QVERIFY2(linesX.contains(x) ? p == 0 : p == white,
                     qPrintable(QStringLiteral("x %1: %2").arg(x).arg(probe::hex(p))));
        }
        for (int y = 0; y < 35; ++y) {
            const QRgb p = image.pixel(200, y) & 0xFFFFFF;
            QVERIFY2((y == 0 || y == 34) ? p == 0 : p == white,
                     qPrintable(QStringLiteral("y %1: %2").arg(y).arg(probe::hex(p))));
        }
        for (int i = 0; i + 1 < linesX.size(); ++i) {
            const QRect field(QPoint(linesX[i] + 1, 1), QPoint(linesX[i + 1] - 1, 33));
            QVERIFY2(probe::inkCount(image, field, dark) > 10, qPrintable(QStringLiteral("field %1").arg(i + 1)));
        }
    }

    void stripLabelsInsideFrames_data()
    {
        // The strip frames of the palette window in twips (left, width); they
        // are 465 twips high from 2130, and the strip picture starts at 2100.
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("width");
        QTest::newRow("pair") << 2 << 720 << 600;
        QTest::newRow("function") << 3 << 1395 << 600;
        QTest::newRow("space") << 4 << 2070 << 5310;
        QTest::newRow("delete") << 5 << 7455 << 600;
        QTest::newRow("new line") << 6 << 8115 << 1245;
    }

    // The red frames, 2 pixels wide, lie over the strip; no label or arrow
    // may hide under them.
    void stripLabelsInsideFrames()
    {
        QFETCH(int, field);
        QFETCH(int, left);
        QFETCH(int, width);
        const QImage image = probe::load(QStringLiteral("Image4"));
        const QList<int> linesX{0, 45, 90, 135, 493, 538, 627};
        const QRect fieldArea(QPoint(linesX[field - 1] + 1, 1), QPoint(linesX[field] - 1, 33));
        const QRect frame(QPoint(left / 15, 2130 / 15 - 2100 / 15),
                          QPoint((left + width) / 15 - 1, 2595 / 15 - 1 - 2100 / 15));
        const QRect inside = frame.adjusted(2, 2, -2, -2);
        const QRect ink = probe::inkBounds(image, fieldArea, dark);
        QVERIFY(!ink.isEmpty());
        QVERIFY2(inside.contains(ink), qPrintable(QStringLiteral("ink x %1..%2 y %3..%4, free x %5..%6 y %7..%8")
                                                      .arg(ink.left())
                                                      .arg(ink.right())
                                                      .arg(ink.top())
                                                      .arg(ink.bottom())
                                                      .arg(inside.left())
                                                      .arg(inside.right())
                                                      .arg(inside.top())
                                                      .arg(inside.bottom())));
    }

    void viewIcons_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<Arrow>("upperRight");
        QTest::addColumn<Arrow>("lowerLeft");
        QTest::newRow("collapse") << "Image6" << Arrow::Up << Arrow::Left;
        QTest::newRow("expand") << "Image5" << Arrow::Right << Arrow::Down;
    }

    // A black frame around white, one arrow in the upper right half and one
    // in the lower left half, pointing the listed ways.
    void viewIcons()
    {
        QFETCH(QString, owner);
        QFETCH(Arrow, upperRight);
        QFETCH(Arrow, lowerLeft);
        const QImage image = probe::load(owner);
        for (int x = 0; x < 46; ++x)
            QVERIFY(dark(image.pixel(x, 0)) && dark(image.pixel(x, 34)));
        for (int y = 0; y < 35; ++y)
            QVERIFY(dark(image.pixel(0, y)) && dark(image.pixel(45, y)));

        const QRect upperRightHalf(QPoint(23, 1), QPoint(44, 17));
        const QRect lowerLeftHalf(QPoint(1, 17), QPoint(22, 33));
        QCOMPARE(probe::inkCount(image, QRect(QPoint(1, 1), QPoint(22, 16)), dark), 0);
        QCOMPARE(probe::inkCount(image, QRect(QPoint(23, 18), QPoint(44, 33)), dark), 0);
        QCOMPARE(arrowDirection(image, upperRightHalf), upperRight);
        QCOMPARE(arrowDirection(image, lowerLeftHalf), lowerLeft);
    }

    // Sixteen grey levels at most, a mask that is all or nothing,
    // transparent corners and an opaque seal with a black numeral.
    void windowIcon()
    {
        const QImage image = probe::load(QStringLiteral("Form1Icon"));
        QSet<QRgb> greys;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb p = image.pixel(x, y);
                QVERIFY2(qAlpha(p) == 0 || qAlpha(p) == 255, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
                if (qAlpha(p) == 0)
                    continue;
                QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
                greys.insert(p);
            }
        }
        QVERIFY2(greys.size() <= 16, qPrintable(QString::number(greys.size())));
        for (QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
        QCOMPARE(qAlpha(image.pixel(16, 16)), 255);
        QVERIFY(greys.contains(qRgb(0, 0, 0)));
    }

    void aboutPictures_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QRgb>("background");
        QTest::addColumn<int>("lines");
        QTest::newRow("logo") << "Image7" << white << 0;
        QTest::newRow("credits") << "Image8" << dialogGrey << 8;
        QTest::newRow("signature") << "Menu" << dialogGrey << 0;
    }

    // Black drawing on the right background; the credits are eight lines.
    void aboutPictures()
    {
        QFETCH(QString, owner);
        QFETCH(QRgb, background);
        QFETCH(int, lines);
        const QImage image = probe::load(owner);
        const QRect all = image.rect();
        for (QPoint corner : {all.topLeft(), all.topRight(), all.bottomLeft(), all.bottomRight()})
            QCOMPARE(probe::hex(image.pixel(corner)), probe::hex(background));
        QVERIFY(probe::inkCount(image, all, [](QRgb p) { return qGray(p) < 40; }) > 30);
        if (lines)
            QCOMPARE(textLines(image), lines);
    }
};

QTEST_GUILESS_MAIN(PalettePictures)
#include "test_palette_pictures.moc"
