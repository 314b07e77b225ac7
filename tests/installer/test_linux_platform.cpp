#include "LinuxFileSystem.h"
#include "LinuxPaths.h"
#include "LinuxSystemProbe.h"
#include "SystemFacts.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fstream>

using namespace installer;
using namespace installer::xdg;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(FailureKind)

namespace {

const LinuxPaths samplePaths{u"student", "/h/fonts", "/h/template", "/h/Nurvel"};

QString Q(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

void Write(const fs::path& path, const std::string& contents)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

} // namespace

class TestLinuxPlatform : public QObject {
    Q_OBJECT

private slots:
    void mapping_data()
    {
        QTest::addColumn<QString>("windowsPath");
        QTest::addColumn<QString>("linuxPath");  // empty: does not exist

        QTest::newRow("installer folder on Z:") << "Z:\\tmp\\setup\\VovediVoda.dot" << "/tmp/setup/VovediVoda.dot";
        QTest::newRow("drive root, doubled backslash") << "z:\\\\VovediVoda.dot" << "/VovediVoda.dot";
        QTest::newRow("Z: root") << "Z:\\" << "/";
        QTest::newRow("fonts") << "C:\\WINDOWS\\fonts\\Vudida.ttf" << "/h/fonts/Vudida.ttf";
        QTest::newRow("fonts, other case") << "c:\\windows\\FONTS" << "/h/fonts";
        QTest::newRow("templates, doubled backslash")
            << "C:\\Documents and Settings\\student\\Application Data\\Microsoft\\Templates\\\\Normal.dot"
            << "/h/template/Normal.dot";
        QTest::newRow("templates, other case, trailing backslash")
            << "C:\\DOCUMENTS AND SETTINGS\\Student\\application data\\microsoft\\templates\\" << "/h/template";
        QTest::newRow("install folder") << "c:\\Nurvel\\" << "/h/Nurvel";
        QTest::newRow("install folder file") << "C:\\Nurvel\\Docpush.exe" << "/h/Nurvel/Docpush.exe";
        QTest::newRow("another user's templates")
            << "C:\\Documents and Settings\\other\\Application Data\\Microsoft\\Templates" << "";
        QTest::newRow("templates inside the Windows folder")
            << "C:\\WINDOWS\\Application Data\\Microsoft\\Templates" << "";
        QTest::newRow("Windows folder itself") << "C:\\WINDOWS" << "";
        QTest::newRow("name only starting alike") << "C:\\NurvelX\\a" << "";
        QTest::newRow("another drive") << "D:\\Nurvel" << "";
        QTest::newRow("empty") << "" << "";
    }

    void mapping()
    {
        QFETCH(QString, windowsPath);
        QFETCH(QString, linuxPath);
        const std::optional<fs::path> mapped = samplePaths.Map(windowsPath.toStdU16String());
        QCOMPARE(mapped ? QString::fromStdString(mapped->string()) : QString(), linuxPath);
    }

    void arabicUserNameMapsTheTemplatesFolder()
    {
        LinuxPaths paths = samplePaths;
        paths.userName = u"أحمد علي";
        const auto templates = TemplatesFolder(u"C:\\WINDOWS", paths.userName, u"Unknown Windows system");
        QCOMPARE(paths.Map(templates + u"\\Normal.dot"), std::optional<fs::path>("/h/template/Normal.dot"));
    }

    void installerFolderOnDriveZ_data()
    {
        QTest::addColumn<QString>("linuxPath");
        QTest::addColumn<QString>("windowsPath");
        QTest::newRow("folder") << "/tmp/setup" << "Z:\\tmp\\setup";
        QTest::newRow("root keeps its backslash") << "/" << "Z:\\";
        QTest::newRow("Arabic name") << "/media/قرص" << "Z:\\media\\قرص";
    }

    void installerFolderOnDriveZ()
    {
        QFETCH(QString, linuxPath);
        QFETCH(QString, windowsPath);
        const fs::path path(linuxPath.toStdU16String());
        QCOMPARE(Q(OnDriveZ(path)), windowsPath);
        QCOMPARE(samplePaths.Map(OnDriveZ(path)), std::optional<fs::path>(path));
    }

    void failureKinds_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<FailureKind>("kind");
        for (int refused : {EACCES, EPERM, EROFS, ETXTBSY, EBUSY})
            QTest::addRow("%s", strerror(refused)) << refused << FailureKind::Permission;
        for (int other : {ENOENT, EEXIST, ENOTDIR, EISDIR, ENOSPC, EIO})
            QTest::addRow("%s", strerror(other)) << other << FailureKind::Other;
    }

    void failureKinds()
    {
        QFETCH(int, error);
        QFETCH(FailureKind, kind);
        QCOMPARE(FailureKindOf(error), kind);
    }

    void foldersFollowTheEnvironment_data()
    {
        QTest::addColumn<QByteArray>("dataHome");
        QTest::addColumn<QByteArray>("configHome");
        QTest::addColumn<QString>("fonts");
        QTest::addColumn<QString>("templates");
        QTest::addColumn<QString>("install");
        QTest::newRow("defaults") << QByteArray() << QByteArray() << "/home/u/.local/share/fonts"
                                  << "/home/u/.config/libreoffice/4/user/template" << "/home/u/.local/share/Nurvel";
        QTest::newRow("XDG folders") << QByteArray("/x/data") << QByteArray("/x/config") << "/x/data/fonts"
                                     << "/x/config/libreoffice/4/user/template" << "/x/data/Nurvel";
        QTest::newRow("relative XDG folders are ignored")
            << QByteArray("data") << QByteArray("config") << "/home/u/.local/share/fonts"
            << "/home/u/.config/libreoffice/4/user/template" << "/home/u/.local/share/Nurvel";
    }

    void foldersFollowTheEnvironment()
    {
        QFETCH(QByteArray, dataHome);
        QFETCH(QByteArray, configHome);
        QFETCH(QString, fonts);
        QFETCH(QString, templates);
        QFETCH(QString, install);

        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", "/home/u");
        dataHome.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", dataHome);
        configHome.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", configHome);
        const LinuxPaths paths = LinuxPaths::FromEnvironment();
        qputenv("HOME", home);

        QCOMPARE(QString::fromStdString(paths.fontsFolder.string()), fonts);
        QCOMPARE(QString::fromStdString(paths.templatesFolder.string()), templates);
        QCOMPARE(QString::fromStdString(paths.installFolder.string()), install);
        QCOMPARE(paths.userName, LoginName());
    }

    void probeReportsLinuxAsAnUnknownWindows()
    {
        LinuxSystemProbe probe("/tmp/setup");
        QCOMPARE(Q(OsVersionName(probe)), "Unknown Windows system");
        QCOMPARE(Q(WindowsFolder(probe)), "C:\\WINDOWS");
        QVERIFY(!LoginName().empty());
        QCOMPARE(Q(CurrentUserName(probe)), Q(LoginName()));
        QCOMPARE(probe.UserNameBuffer().size(), ProbeBufferLength);
        QCOMPARE(Q(probe.InstallerFolder()), "Z:\\tmp\\setup");
    }

    // The operations' failures, on real files below a temporary folder.
    void fileOperations()
    {
        QTemporaryDir temp;
        const fs::path root = temp.path().toStdString();
        LinuxPaths paths{u"student", root / "fonts", root / "template", root / "share/Nurvel"};
        std::vector<fs::path> refreshed;
        LinuxFileSystem files(paths, [&](const fs::path& folder) { refreshed.push_back(folder); });
        const std::u16string source = OnDriveZ(root / "setup");
        Write(root / "setup/a.ttf", "font");
        Write(root / "setup/b.dot", "font");

        const auto kindOf = [](auto operation) -> std::optional<FailureKind> {
            try {
                operation();
            } catch (const FileError& error) {
                return error.kind();
            }
            return std::nullopt;
        };
        const std::optional<FailureKind> none;

        // The fonts folder is made on the first copy into it, and its cache refreshed.
        QCOMPARE(kindOf([&] { files.CopyFileReplacing(source + u"\\a.ttf", u"C:\\WINDOWS\\fonts\\a.ttf"); }), none);
        QVERIFY(fs::is_regular_file(root / "fonts/a.ttf"));
        QCOMPARE(refreshed, std::vector<fs::path>{root / "fonts"});
        QVERIFY(files.SameContents(source + u"\\a.ttf", source + u"\\b.dot"));
        QVERIFY(!files.SameContents(source + u"\\a.ttf", source + u"\\missing"));

        QCOMPARE(kindOf([&] { files.CopyFileReplacing(source + u"\\missing", u"C:\\WINDOWS\\fonts\\m.ttf"); }),
                 FailureKind::Other);
        QCOMPARE(kindOf([&] { files.CopyFileReplacing(source + u"\\a.ttf", u"C:\\Nurvel\\a.ttf"); }),
                 FailureKind::Other);  // no install folder yet
        QCOMPARE(kindOf([&] { files.CopyFileReplacing(source + u"\\a.ttf", u"C:\\elsewhere\\a.ttf"); }),
                 FailureKind::Other);
        QCOMPARE(kindOf([&] { files.TestFolderExists(u"C:\\Documents and Settings\\student\\Application "
                                                     u"Data\\Microsoft\\Templates\\"); }),
                 FailureKind::Other);

        // The install folder is made with the folders above it, once.
        QCOMPARE(kindOf([&] { files.CreateFolder(u"c:\\Nurvel\\"); }), none);
        QVERIFY(fs::is_directory(paths.installFolder));
        QCOMPARE(kindOf([&] { files.CreateFolder(u"C:\\NURVEL"); }), FailureKind::Other);
        QCOMPARE(kindOf([&] { files.TestFolderExists(u"C:\\Nurvel"); }), none);
        QCOMPARE(refreshed.size(), size_t(1));
    }
};

QTEST_APPLESS_MAIN(TestLinuxPlatform)
#include "test_linux_platform.moc"
