// The pictures reach a program that gets them only through another static
// library.
#include <QFile>
#include <QTest>

QString stripPicturePath();

class PicturesThroughStaticLibrary : public QObject {
    Q_OBJECT

private slots:
    void resourcesArePresent()
    {
        QCOMPARE(stripPicturePath(), QStringLiteral(":/pictures/Image4.png"));
        for (const char* owner : {"Form1Icon", "Picture1", "Image1", "Image2", "Image3", "Image4",
                                  "Image5", "Image6", "Image7", "Image8", "Menu"})
            QVERIFY2(QFile::exists(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(owner))), owner);
    }
};

QTEST_GUILESS_MAIN(PicturesThroughStaticLibrary)
#include "test_pictures_through_static_library.moc"
