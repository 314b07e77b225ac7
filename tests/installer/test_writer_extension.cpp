// The installer registers the Writer extension from the medium for the user
// only where the office does not already bundle it.
#include "WriterExtension.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

class TestWriterExtension : public QObject {
    Q_OBJECT

private slots:
    void registersOnlyWhereTheOfficeLacksIt_data()
    {
        QTest::addColumn<bool>("onMedium");
        QTest::addColumn<bool>("bundled");
        QTest::addColumn<bool>("registered");
        QTest::newRow("on the medium, not bundled") << true << false << true;
        QTest::newRow("bundled by the package") << true << true << false;
        QTest::newRow("no extension on the medium") << false << false << false;
    }

    void registersOnlyWhereTheOfficeLacksIt()
    {
        QFETCH(bool, onMedium);
        QFETCH(bool, bundled);
        QFETCH(bool, registered);
        QTemporaryDir root;
        const fs::path top = root.path().toStdString();
        fs::create_directories(top / "medium");
        fs::create_directories(top / "extensions");
        if (onMedium)
            std::ofstream(top / "medium" / installer::xdg::kWriterExtensionFile) << "zip";
        if (bundled)
            fs::create_directories(top / "extensions" / "glyphboard");
        // Stands in for unopkg and notes how it was called.
        QList<QStringList> calls;
        installer::xdg::RegisterWriterExtension(top / "medium", top / "extensions",
                                                [&](const QStringList& arguments) { calls << arguments; });

        QList<QStringList> expected;
        if (registered)
            expected << QStringList{QStringLiteral("add"), QStringLiteral("--suppress-license"),
                                    QStringLiteral("--force"),
                                    QString::fromStdString((top / "medium" / "glyphboard.oxt").string())};
        QCOMPARE(calls, expected);
    }
};

QTEST_GUILESS_MAIN(TestWriterExtension)
#include "test_writer_extension.moc"
