// The pictures reach a program that gets them only through another static
// library.
#include "PictureDesigns.h"

#include <QFile>
#include <QTest>

QString stripPicturePath();

class PicturesThroughStaticLibrary : public QObject {
    Q_OBJECT

private slots:
    void resourcesArePresent()
    {
        QCOMPARE(stripPicturePath(), QStringLiteral(":/pictures/Image4.png"));
        for (const palette::PictureDesign& picture : palette::kPictures)
            QVERIFY2(QFile::exists(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(picture.owner))),
                     picture.owner);
    }
};

QTEST_GUILESS_MAIN(PicturesThroughStaticLibrary)
#include "test_pictures_through_static_library.moc"
