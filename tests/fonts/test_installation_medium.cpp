// The installation medium holds every file the installation copies from
// beside the installer, and the files are what they claim to be.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

class TestInstallationMedium : public QObject {
    Q_OBJECT

    QDir medium{QStringLiteral(GLYPHBOARD_MEDIUM_DIR)};

    QByteArray read(const QString& name) const
    {
        QFile file(medium.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void holdsEveryCopiedFile_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList names{QStringLiteral("VovediVoda.dot"), QStringLiteral("VovediVoda.ott"),
                                QStringLiteral("NurvelSans.ttf"), QStringLiteral("NurvelSansB.ttf"),
                                QStringLiteral("Vudida.ttf"),     QStringLiteral("Dizever.ttf"),
                                QStringLiteral("NurvelT.nrv"),    QStringLiteral("NurvelV.nrv"),
                                QStringLiteral("Docpush.exe"),    QStringLiteral("65-traditional-arabic.conf"),
                                QStringLiteral("OFL.txt")};
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << name;
        // the programs (and Writer extension) built in this configuration
        for (const QString& name :
             QStringLiteral(GLYPHBOARD_MEDIUM_PROGRAMS).split(QLatin1Char(','), Qt::SkipEmptyParts))
            QTest::newRow(qPrintable(name)) << name;
    }

    void holdsEveryCopiedFile()
    {
        QFETCH(QString, name);
        const QFileInfo info(medium.filePath(name));
        QVERIFY2(info.isFile(), qPrintable(info.filePath()));
        QVERIFY(info.size() > 0);
    }

    void templateIsAWordTemplateInTraditionalArabic()
    {
        const QByteArray dot = read(QStringLiteral("VovediVoda.dot"));
        // an OLE compound document, the container of Word 97-2003 files
        QVERIFY(dot.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")));
        const QString family = QStringLiteral("Traditional Arabic");
        const QByteArray utf16(reinterpret_cast<const char*>(family.utf16()), family.size() * 2);
        QVERIFY(dot.contains(utf16));
    }

    // The template in Writer's own format, whose settings Writer reads: an
    // OpenDocument package whose first entry names it a text template.
    void writerTemplateIsAnOpenDocumentTemplate()
    {
        const QByteArray ott = read(QStringLiteral("VovediVoda.ott"));
        QVERIFY(ott.startsWith("PK\x03\x04"));
        QCOMPARE(ott.mid(30, 8), QByteArray("mimetype"));
        QCOMPARE(ott.mid(38, 48), QByteArray("application/vnd.oasis.opendocument.text-template"));
    }

    void placeholdersSayWhatTheyAre_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"NurvelT.nrv", "NurvelV.nrv", "Docpush.exe"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void placeholdersSayWhatTheyAre()
    {
        QFETCH(QString, name);
        QVERIFY(read(name).startsWith("PLACEHOLDER"));
    }

    void aliasNamesTraditionalArabic()
    {
        const QByteArray conf = read(QStringLiteral("65-traditional-arabic.conf"));
        QVERIFY(conf.contains("<family>Traditional Arabic</family>"));
        QVERIFY(conf.contains("<family>Amiri</family>"));
    }
};

QTEST_GUILESS_MAIN(TestInstallationMedium)
#include "test_installation_medium.moc"
