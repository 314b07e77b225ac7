// Pixel checks of the four panel pictures: the grid, the cell colours, the
// line shades, and where each face is drawn.
#include <QTest>
#include <algorithm>
#include <array>
#include <map>

#include "PictureProbe.h"

namespace {

constexpr std::array<int, 15> gridX{0, 45, 90, 135, 179, 224, 269, 314, 359, 404, 448, 493, 538, 583, 627};
constexpr std::array<int, 5> gridY{0, 34, 69, 104, 138};

struct Shades {
    QRgb fill, inner, frame;
};
const std::map<char, Shades> shades{
    {'W', {0xFFFFFF, 0x3C3C3C, 0x202020}},
    {'G', {0xCCFFCC, 0x303C30, 0x1A201A}},
    {'B', {0x99CCFF, 0x24303C, 0x131A20}},
    {'Y', {0xFFFF99, 0x3C3C24, 0x202013}},
};

struct Panel {
    const char* owner;
    std::array<const char*, 4> colours;
    std::vector<int> emptyCells;
};

const Panel panels[] = {
    {"Picture1", {"WWWWWWWWWWWWWW", "BBBBBBGGGGGGGG", "BBBBBBGGGGGGGG", "BBWWWWWWYYYYYY"}, {}},
    {"Image1", {"GGGGGGGGGGGGGG", "GGGGGGGGGGGGGG", "WYYYWWBBBBBBBB", "WYYYWWBBBBBBBB"}, {}},
    {"Image2", {"GGGGGGGGYBBBBB", "WGGGGGGGYBBBBB", "WWWWWWWWYBBBBB", "WWWWWWWWYWBBBB"}, {42, 43}},
    {"Image3", {"GGGGYBWWBBBBBB", "WGGGWBWWBBBBBB", "GGGGYBWWWBBBBB", "GGGGYBWWWBBBBB"}, {14}},
};

const Panel& panelOf(const QString& owner)
{
    return *std::find_if(std::begin(panels), std::end(panels),
                         [&](const Panel& p) { return owner == QLatin1String(p.owner); });
}

QRect interior(int row, int column)
{
    return QRect(QPoint(gridX[column] + 1, gridY[row] + 1), QPoint(gridX[column + 1] - 1, gridY[row + 1] - 1));
}

QRgb rgb(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

QRgb fillOf(const Panel& panel, int row, int column)
{
    return shades.at(panel.colours[row][column]).fill;
}

// The face's ink: whatever differs from its cell's fill.
QRect faceBounds(const QImage& image, const Panel& panel, int row, int column)
{
    return probe::inkBounds(image, interior(row, column), probe::differsFrom(fillOf(panel, row, column)));
}

enum class Where { Raised, Lowered, Top, TopRight };

} // namespace

Q_DECLARE_METATYPE(Where)

class PanelPictures : public QObject {
    Q_OBJECT

private slots:
    void grid_data()
    {
        QTest::addColumn<QString>("owner");
        for (const Panel& panel : panels)
            QTest::newRow(panel.owner) << QString::fromLatin1(panel.owner);
    }

    // Every cell is bounded by the grid lines at exactly the listed
    // positions: the ring of pixels just inside them has the cell's fill
    // colour, and the pixels on them have a line shade.
    void grid()
    {
        QFETCH(QString, owner);
        const QImage image = probe::load(owner);
        QCOMPARE(image.size(), QSize(628, 139));
        const Panel& panel = panelOf(owner);

        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 14; ++column) {
                const QRect cell = interior(row, column);
                const QRgb fill = fillOf(panel, row, column);
                for (int x = cell.left(); x <= cell.right(); ++x)
                    for (int y : {cell.top(), cell.bottom()})
                        QVERIFY2(rgb(image, x, y) == fill,
                                 qPrintable(QStringLiteral("cell (%1, %2) at (%3, %4) is %5, fill %6")
                                                .arg(row)
                                                .arg(column)
                                                .arg(x)
                                                .arg(y)
                                                .arg(probe::hex(rgb(image, x, y)), probe::hex(fill))));
                for (int y = cell.top(); y <= cell.bottom(); ++y)
                    for (int x : {cell.left(), cell.right()})
                        QVERIFY2(
                            rgb(image, x, y) == fill,
                            qPrintable(
                                QStringLiteral("cell (%1, %2) at (%3, %4)").arg(row).arg(column).arg(x).arg(y)));
            }
        }
    }

    void lineShades_data() { grid_data(); }

    // An inner line has the darker shade of one of the two cells it
    // separates; the frame has the frame shade of the cell inside it.
    void lineShades()
    {
        QFETCH(QString, owner);
        const QImage image = probe::load(owner);
        const Panel& panel = panelOf(owner);
        auto colourAt = [&](int row, int column) { return shades.at(panel.colours[row][column]); };

        for (int column = 0; column < 14; ++column) {
            for (int row = 0; row < 4; ++row) {
                const QRect cell = interior(row, column);
                // Vertical lines: the left one of this cell, along its height.
                for (int y = cell.top(); y <= cell.bottom(); ++y) {
                    const QRgb p = rgb(image, gridX[column], y);
                    if (column == 0)
                        QCOMPARE(probe::hex(p), probe::hex(colourAt(row, 0).frame));
                    else
                        QVERIFY2(
                            p == colourAt(row, column - 1).inner || p == colourAt(row, column).inner,
                            qPrintable(
                                QStringLiteral("x %1, y %2: %3").arg(gridX[column]).arg(y).arg(probe::hex(p))));
                    if (column == 13)
                        QCOMPARE(probe::hex(rgb(image, 627, y)), probe::hex(colourAt(row, 13).frame));
                }
                // Horizontal lines: the top one of this cell, along its width.
                for (int x = cell.left(); x <= cell.right(); ++x) {
                    const QRgb p = rgb(image, x, gridY[row]);
                    if (row == 0)
                        QCOMPARE(probe::hex(p), probe::hex(colourAt(0, column).frame));
                    else
                        QVERIFY2(
                            p == colourAt(row - 1, column).inner || p == colourAt(row, column).inner,
                            qPrintable(QStringLiteral("x %1, y %2: %3").arg(x).arg(gridY[row]).arg(probe::hex(p))));
                    if (row == 3)
                        QCOMPARE(probe::hex(rgb(image, x, 138)), probe::hex(colourAt(3, column).frame));
                }
            }
        }
    }

    void faces_data() { grid_data(); }

    // A face is drawn in every cell that has one, and nothing in the empty
    // cells.
    void faces()
    {
        QFETCH(QString, owner);
        const QImage image = probe::load(owner);
        const Panel& panel = panelOf(owner);
        for (int cell = 0; cell < 56; ++cell) {
            const int row = cell / 14, column = cell % 14;
            const int ink =
                probe::inkCount(image, interior(row, column), probe::differsFrom(fillOf(panel, row, column)));
            const bool empty = std::count(panel.emptyCells.begin(), panel.emptyCells.end(), cell) > 0;
            if (empty)
                QVERIFY2(ink == 0, qPrintable(QStringLiteral("cell %1 should be empty").arg(cell)));
            else
                QVERIFY2(ink >= 5, qPrintable(QStringLiteral("cell %1 has no face").arg(cell)));
        }
    }

    void placement_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<Where>("where");
        QTest::newRow("algebra: = and the bars lowered")
            << "Picture1" << 0 << QList<int>{5, 6, 7} << Where::Lowered;
        QTest::newRow("algebra: prime raised") << "Picture1" << 2 << QList<int>{10} << Where::Raised;
        QTest::newRow("algebra: small asterisk raised") << "Picture1" << 3 << QList<int>{2} << Where::Raised;
        QTest::newRow("algebra: short arrow at the top") << "Picture1" << 3 << QList<int>{4} << Where::Top;
        QTest::newRow("letters: numerators raised")
            << "Image1" << 0 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13} << Where::Raised;
        QTest::newRow("letters: denominators lowered")
            << "Image1" << 1 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13} << Where::Lowered;
        QTest::newRow("letters: square drawn low") << "Image1" << 2 << QList<int>{0} << Where::Lowered;
        QTest::newRow("letters: row 2 raised")
            << "Image1" << 2 << QList<int>{1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13} << Where::Raised;
        QTest::newRow("letters: radical completion at the top right")
            << "Image1" << 2 << QList<int>{4} << Where::TopRight;
        QTest::newRow("letters: row 3 lowered")
            << "Image1" << 3 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13} << Where::Lowered;
        QTest::newRow("geometry: long bar at the top right") << "Image2" << 2 << QList<int>{6} << Where::TopRight;
        QTest::newRow("geometry: arrows at the top") << "Image2" << 3 << QList<int>{2, 3} << Where::Top;
        QTest::newRow("geometry: short bar lowered") << "Image2" << 3 << QList<int>{5} << Where::Lowered;
        QTest::newRow("calculus: upper bounds raised") << "Image3" << 0 << QList<int>{0, 1, 2, 3} << Where::Raised;
        QTest::newRow("calculus: lower bounds lowered") << "Image3" << 1 << QList<int>{1, 2, 3} << Where::Lowered;
        QTest::newRow("calculus: row 2 raised")
            << "Image3" << 2 << QList<int>{0, 1, 2, 3, 6, 7, 8, 9} << Where::Raised;
        QTest::newRow("calculus: infinity lowered") << "Image3" << 2 << QList<int>{10} << Where::Lowered;
        QTest::newRow("calculus: row 3 lowered")
            << "Image3" << 3 << QList<int>{0, 1, 2, 3, 6, 7, 8, 9} << Where::Lowered;
    }

    // Raised faces stay in the upper half of their cell, lowered ones in the
    // lower half; faces at the top lie in the upper third.
    void placement()
    {
        QFETCH(QString, owner);
        QFETCH(int, row);
        QFETCH(QList<int>, columns);
        QFETCH(Where, where);
        const QImage image = probe::load(owner);
        for (int column : columns) {
            const QRect cell = interior(row, column);
            const QRect ink = faceBounds(image, panelOf(owner), row, column);
            const QString at = QStringLiteral("row %1 column %2: ink %3..%4 in cell %5..%6")
                                   .arg(row)
                                   .arg(column)
                                   .arg(ink.top())
                                   .arg(ink.bottom())
                                   .arg(cell.top())
                                   .arg(cell.bottom());
            QVERIFY2(!ink.isEmpty(), qPrintable(at));
            const double middle = cell.top() + cell.height() / 2.0;
            switch (where) {
            case Where::Raised: QVERIFY2(ink.bottom() < middle, qPrintable(at)); break;
            case Where::Lowered: QVERIFY2(ink.top() >= middle - 1, qPrintable(at)); break;
            case Where::Top: QVERIFY2(ink.bottom() < cell.top() + cell.height() / 3, qPrintable(at)); break;
            case Where::TopRight:
                QVERIFY2(ink.bottom() < cell.top() + cell.height() / 3, qPrintable(at));
                QVERIFY2(ink.right() >= cell.right() - 4 && ink.center().x() > cell.center().x(), qPrintable(at));
                break;
            }
        }
    }

    void ink_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QList<int>>("grey");
        QTest::addColumn<QList<int>>("faint");
        QTest::newRow("algebra") << "Picture1" << QList<int>{7, 13} << QList<int>{29};
        QTest::newRow("letters") << "Image1" << QList<int>{} << QList<int>{};
        QTest::newRow("geometry") << "Image2" << QList<int>{32, 46} << QList<int>{};
        QTest::newRow("calculus") << "Image3" << QList<int>{} << QList<int>{};
    }

    // Faces are black, but for the grey and the faint ones.
    void ink()
    {
        QFETCH(QString, owner);
        QFETCH(QList<int>, grey);
        QFETCH(QList<int>, faint);
        const QImage image = probe::load(owner);
        const Panel& panel = panelOf(owner);
        for (int cell = 0; cell < 56; ++cell) {
            if (std::count(panel.emptyCells.begin(), panel.emptyCells.end(), cell))
                continue;
            int darkest = 255;
            const QRect area = interior(cell / 14, cell % 14);
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    darkest = std::min(darkest, qGray(image.pixel(x, y)));
            const QString at = QStringLiteral("cell %1: darkest grey %2").arg(cell).arg(darkest);
            if (grey.contains(cell))
                QVERIFY2(darkest >= 110 && darkest <= 160, qPrintable(at));
            else if (faint.contains(cell))
                QVERIFY2(darkest > 160 && darkest < 220, qPrintable(at));
            else
                QVERIFY2(darkest < 100, qPrintable(at));
        }
    }

    void mirroring_data()
    {
        QTest::addColumn<QString>("owner");
        QTest::addColumn<int>("cell");
        QTest::addColumn<bool>("topLeftOfBottom");
        // ≥ opens to the left, ≤ to the right.
        QTest::newRow("greater or equal") << "Picture1" << 0 << true;
        QTest::newRow("less or equal") << "Picture1" << 1 << false;
        // Radicals: the bar runs left from the top of the tick at the right.
        QTest::newRow("letters radical raised") << "Image1" << 33 << true;
        QTest::newRow("letters radical lowered") << "Image1" << 47 << true;
        QTest::newRow("geometry small radical") << "Image2" << 31 << true;
        QTest::newRow("geometry medium radical") << "Image2" << 33 << true;
        QTest::newRow("geometry large radical") << "Image2" << 35 << true;
    }

    // Faces that right-to-left notation mirrors are mirrored: the ink of the
    // face's top row lies left or right of the ink of its bottom row.
    void mirroring()
    {
        QFETCH(QString, owner);
        QFETCH(int, cell);
        QFETCH(bool, topLeftOfBottom);
        const QImage image = probe::load(owner);
        const int row = cell / 14, column = cell % 14;
        const auto isInk = [](QRgb p) { return qGray(p) < 128; };
        const QRect ink = probe::inkBounds(image, interior(row, column), isInk);
        QVERIFY(!ink.isEmpty());
        const double top = probe::meanInkX(image, ink, ink.top(), isInk);
        const double bottom = probe::meanInkX(image, ink, ink.bottom(), isInk);
        QVERIFY2((top < bottom) == topLeftOfBottom,
                 qPrintable(QStringLiteral("top row at x %1, bottom row at x %2").arg(top).arg(bottom)));
    }
};

QTEST_GUILESS_MAIN(PanelPictures)
#include "test_panel_pictures.moc"
