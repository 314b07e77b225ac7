#include "SetTopmost.h"

#include <QTest>
#include <QWidget>

class TestSetTopmost : public QObject {
    Q_OBJECT
private slots:
    // The window stays where it was, at its size and visibility, whether it
    // is already shown or not.
    void keepsPlaceSizeAndVisibility_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::newRow("hidden") << false;
        QTest::newRow("shown") << true;
    }

    void keepsPlaceSizeAndVisibility()
    {
        QFETCH(bool, shown);
        QWidget window;
        window.setGeometry(95, 22, 300, 200);
        if (shown) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        const QRect before = window.geometry();

        SetTopmost(window);

        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(window.isVisible(), shown);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.geometry(), before);
    }
};

QTEST_MAIN(TestSetTopmost)
#include "test_set_topmost.moc"
