// When the palette switches itself to XWayland: only on a Wayland session
// with an X display to fall back on, and never against the user's choice.

#include "DisplayPlatform.h"

#include <QTest>

using palette::SessionFacts;

class TestDisplayPlatform : public QObject {
    Q_OBJECT

private slots:
    void choosesXWaylandOnlyWhenUnchosen_data()
    {
        QTest::addColumn<QString>("sessionType");
        QTest::addColumn<QString>("waylandDisplay");
        QTest::addColumn<QString>("x11Display");
        QTest::addColumn<QString>("qtPlatform");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("expected");

        QTest::newRow("Wayland session") << "wayland"
                                         << "wayland-0"
                                         << ":0"
                                         << "" << QStringList{} << true;
        QTest::newRow("Wayland socket, no session type") << ""
                                                         << "wayland-0"
                                                         << ":0"
                                                         << "" << QStringList{} << true;
        QTest::newRow("X11 session") << "x11"
                                     << ""
                                     << ":0"
                                     << "" << QStringList{} << false;
        QTest::newRow("Wayland without XWayland") << "wayland"
                                                  << "wayland-0"
                                                  << ""
                                                  << "" << QStringList{} << false;
        QTest::newRow("platform in the environment") << "wayland"
                                                     << "wayland-0"
                                                     << ":0"
                                                     << "wayland" << QStringList{} << false;
        QTest::newRow("-platform argument") << "wayland"
                                            << "wayland-0"
                                            << ":0"
                                            << "" << QStringList{"-platform", "wayland"} << false;
        QTest::newRow("--platform argument") << "wayland"
                                             << "wayland-0"
                                             << ":0"
                                             << "" << QStringList{"--platform", "offscreen"} << false;
        QTest::newRow("other arguments") << "wayland"
                                         << "wayland-0"
                                         << ":0"
                                         << "" << QStringList{"-style", "fusion"} << true;
    }

    void choosesXWaylandOnlyWhenUnchosen()
    {
        QFETCH(QString, sessionType);
        QFETCH(QString, waylandDisplay);
        QFETCH(QString, x11Display);
        QFETCH(QString, qtPlatform);
        QFETCH(QStringList, arguments);
        QFETCH(bool, expected);
        SessionFacts facts{sessionType.toStdString(),
                           waylandDisplay.toStdString(),
                           x11Display.toStdString(),
                           qtPlatform.toStdString(),
                           {}};
        for (const QString& argument : arguments)
            facts.arguments.push_back(argument.toStdString());
        QCOMPARE(palette::ShouldUseXWayland(facts), expected);
    }
};

QTEST_GUILESS_MAIN(TestDisplayPlatform)
#include "test_display_platform.moc"
