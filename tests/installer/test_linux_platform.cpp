#include "AtomicFile.h"
#include "LinuxFileSystem.h"
#include "LinuxPaths.h"
#include "LinuxSystemProbe.h"
#include "SystemFacts.h"
#include "WriterProfile.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include <cerrno>
#include <fstream>
#include <sys/stat.h>

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

std::string Read(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::vector<std::string> Names(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A writer that fails with the error once `limit` bytes have been written.
BlockWriter FailingAfter(std::size_t limit, int error)
{
    return [limit, error, written = std::size_t(0)](int fd, const char* data, std::size_t size) mutable -> ssize_t {
        if (written >= limit) {
            errno = error;
            return -1;
        }
        const ssize_t count = WriteBlock(fd, data, std::min(size, limit - written));
        written += std::size_t(count);
        return count;
    };
}

} // namespace

class TestLinuxPlatform : public QObject {
    Q_OBJECT

private slots:
    void mapping_data()
    {
        QTest::addColumn<QString>("windowsPath");
        QTest::addColumn<QString>("linuxPath"); // empty: does not exist

        QTest::newRow("installer folder on Z:") << "Z:\\tmp\\setup\\VovediVoda.dot"
                                                << "/tmp/setup/VovediVoda.dot";
        QTest::newRow("drive root, doubled backslash") << "z:\\\\VovediVoda.dot"
                                                       << "/VovediVoda.dot";
        QTest::newRow("Z: root") << "Z:\\"
                                 << "/";
        QTest::newRow("fonts") << "C:\\WINDOWS\\fonts\\Vudida.ttf"
                               << "/h/fonts/Vudida.ttf";
        QTest::newRow("fonts, other case") << "c:\\windows\\FONTS"
                                           << "/h/fonts";
        QTest::newRow("templates, doubled backslash")
            << "C:\\Documents and Settings\\student\\Application Data\\Microsoft\\Templates\\\\Normal.dot"
            << "/h/template/Normal.dot";
        QTest::newRow("templates, other case, trailing backslash")
            << "C:\\DOCUMENTS AND SETTINGS\\Student\\application data\\microsoft\\templates\\"
            << "/h/template";
        QTest::newRow("install folder") << "c:\\Nurvel\\"
                                        << "/h/Nurvel";
        QTest::newRow("install folder file") << "C:\\Nurvel\\Docpush.exe"
                                             << "/h/Nurvel/Docpush.exe";
        QTest::newRow("another user's templates")
            << "C:\\Documents and Settings\\other\\Application Data\\Microsoft\\Templates"
            << "";
        QTest::newRow("templates inside the Windows folder")
            << "C:\\WINDOWS\\Application Data\\Microsoft\\Templates"
            << "";
        QTest::newRow("Windows folder itself") << "C:\\WINDOWS"
                                               << "";
        QTest::newRow("name only starting alike") << "C:\\NurvelX\\a"
                                                  << "";
        QTest::newRow("another drive") << "D:\\Nurvel"
                                       << "";
        QTest::newRow("empty") << ""
                               << "";
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
        QTest::newRow("folder") << "/tmp/setup"
                                << "Z:\\tmp\\setup";
        QTest::newRow("root keeps its backslash") << "/"
                                                  << "Z:\\";
        QTest::newRow("Arabic name") << "/media/قرص"
                                     << "Z:\\media\\قرص";
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
        // Nothing on Linux is taken for a file held open by the word processor.
        const std::pair<std::vector<int>, FailureKind> kinds[] = {
            {{EACCES, EPERM, EROFS}, FailureKind::Denied},
            {{ENOSPC, EDQUOT, EFBIG}, FailureKind::NoSpace},
            {{ENOENT, ENOTDIR}, FailureKind::NotFound},
            {{ETXTBSY, EBUSY, EEXIST, EISDIR, EIO}, FailureKind::Other},
        };
        for (const auto& [errors, kind] : kinds)
            for (int error : errors)
                QTest::addRow("%s", strerror(error)) << error << kind;
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
                                  << "/home/u/.config/libreoffice/4/user/template"
                                  << "/home/u/.local/share/Nurvel";
        QTest::newRow("XDG folders") << QByteArray("/x/data") << QByteArray("/x/config") << "/x/data/fonts"
                                     << "/x/config/libreoffice/4/user/template"
                                     << "/x/data/Nurvel";
        QTest::newRow("relative XDG folders are ignored")
            << QByteArray("data") << QByteArray("config") << "/home/u/.local/share/fonts"
            << "/home/u/.config/libreoffice/4/user/template"
            << "/home/u/.local/share/Nurvel";
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
        QCOMPARE(probe.UserNameBuffer().size(), kProbeBufferLength);
        QCOMPARE(Q(probe.InstallerFolder()), "Z:\\tmp\\setup");
    }

    // The operations' failures, on real files below a temporary folder.
    void fileOperations()
    {
        QTemporaryDir temp;
        const fs::path root = temp.path().toStdString();
        LinuxPaths paths{u"student", root / "fonts", root / "lo/user/template", root / "share/Nurvel"};
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
                 FailureKind::NotFound);
        QCOMPARE(kindOf([&] { files.CopyFileReplacing(source + u"\\a.ttf", u"C:\\Nurvel\\a.ttf"); }),
                 FailureKind::NotFound); // no install folder yet
        QCOMPARE(kindOf([&] { files.CopyFileReplacing(source + u"\\a.ttf", u"C:\\elsewhere\\a.ttf"); }),
                 FailureKind::NotFound);
        // Without LibreOffice's profile there is no templates folder to make.
        QCOMPARE(kindOf([&] {
                     files.TestFolderExists(u"C:\\Documents and Settings\\student\\Application "
                                            u"Data\\Microsoft\\Templates\\");
                 }),
                 FailureKind::NotFound);

        // The install folder is made with the folders above it, once.
        QCOMPARE(kindOf([&] { files.CreateFolder(u"c:\\Nurvel\\"); }), none);
        QVERIFY(fs::is_directory(paths.installFolder));
        QCOMPARE(kindOf([&] { files.CreateFolder(u"C:\\NURVEL"); }), FailureKind::Other);
        QCOMPARE(kindOf([&] { files.TestFolderExists(u"C:\\Nurvel"); }), none);
        QCOMPARE(refreshed.size(), size_t(1));
    }
    // Every byte of a Linux name survives the trip through a Windows-form
    // path, and a backslash in a name does not split it.
    void namesRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("ASCII") << QByteArray("setup");
        QTest::newRow("Arabic") << QByteArray("قرص التثبيت");
        QTest::newRow("Latin-1 bytes") << QByteArray("d\xe9j\xe0");
        QTest::newRow("backslash") << QByteArray("a\\b\\\\c");
        QTest::newRow("U+F05C itself") << QByteArray("x\xef\x81\x9cy");
        QTest::newRow("overlong and surrogate encodings") << QByteArray("\xc0\xaf\xed\xa0\x80");
        QTest::newRow("cut sequence at the end") << QByteArray("ab\xd8");
    }

    void namesRoundTrip()
    {
        QFETCH(QByteArray, name);
        const std::string bytes = name.toStdString();
        const std::u16string windows = WindowsName(bytes);
        QVERIFY(windows.find(u'\\') == std::u16string::npos);
        QCOMPARE(QByteArray::fromStdString(LinuxName(windows)), name);

        const fs::path folder = fs::path("/media") / bytes / "setup";
        QCOMPARE(samplePaths.Map(OnDriveZ(folder) + u"\\VovediVoda.dot"),
                 std::optional<fs::path>(folder / "VovediVoda.dot"));
    }

    // A copy that fails part-way leaves the destination as it was and no
    // temporary file behind; a finished one has ordinary permissions.
    void copiesAreAtomic()
    {
        QTemporaryDir temp;
        const fs::path root = temp.path().toStdString();
        const std::string big(200000, 'f');
        Write(root / "medium/font.ttf", big);
        Write(root / "medium/program", "a program");
        fs::permissions(root / "medium/font.ttf",
                        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        fs::permissions(root / "medium/program", fs::perms::owner_read | fs::perms::owner_exec);
        Write(root / "home/font.ttf", "the earlier font");
        const mode_t savedMask = ::umask(022);

        for (const int error : {ENOSPC, EIO}) {
            try {
                CopyAtomically(root / "medium/font.ttf", root / "home/font.ttf", Placement::Replace,
                               FailingAfter(131072, error));
                QFAIL("the copy did not fail");
            } catch (const fs::filesystem_error& failure) {
                QCOMPARE(failure.code().value(), error);
                QCOMPARE(failure.path1(), root / "home/font.ttf");
            }
            QCOMPARE(Read(root / "home/font.ttf"), "the earlier font");
            QCOMPARE(Names(root / "home"), std::vector<std::string>{"font.ttf"});
        }

        CopyAtomically(root / "medium/font.ttf", root / "home/font.ttf", Placement::Replace);
        CopyAtomically(root / "medium/program", root / "home/program", Placement::Replace);
        ::umask(savedMask);
        QCOMPARE(Read(root / "home/font.ttf"), big);
        QCOMPARE(fs::status(root / "home/font.ttf").permissions(), fs::perms(0644));
        QCOMPARE(fs::status(root / "home/program").permissions(), fs::perms(0755));

        // A new name never replaces what is there, a link to nowhere included.
        fs::create_symlink(root / "nowhere", root / "home/link");
        for (const char* taken : {"font.ttf", "link"}) {
            QVERIFY_THROWS_EXCEPTION(fs::filesystem_error, CopyAtomically(root / "medium/program",
                                                                          root / "home" / taken, Placement::New));
        }
        QCOMPARE(Read(root / "home/font.ttf"), big);
        QVERIFY(fs::is_symlink(root / "home/link"));
        QCOMPARE(Names(root / "home"), (std::vector<std::string>{"font.ttf", "link", "program"}));
    }

    // An ordinary profile has no template folder until a template is saved;
    // the folder is made where the profile exists, and only there.
    void templatesFolderIsMadeInAnExistingProfile()
    {
        QTemporaryDir temp;
        const fs::path root = temp.path().toStdString();
        LinuxPaths paths{u"student", root / "fonts", root / "lo/user/template", root / "Nurvel"};
        LinuxFileSystem files(paths, {});
        const std::u16string templates =
            u"C:\\Documents and Settings\\student\\Application Data\\Microsoft\\Templates";

        QVERIFY_THROWS_EXCEPTION(FileError, files.TestFolderExists(templates));
        QVERIFY(!fs::exists(root / "lo"));
        fs::create_directories(root / "lo/user");
        files.TestFolderExists(templates);
        QVERIFY(fs::is_directory(paths.templatesFolder));
    }

    // The template becomes Writer's default for text documents; the user's
    // earlier choice is kept once, so a later installation does not lose it.
    void writerDefaultTemplate_data()
    {
        const std::string head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items "
                                 "xmlns:oor=\"http://openoffice.org/2001/registry\">\n";
        const std::string other = "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop "
                                  "oor:name=\"FirstRun\" oor:op=\"fuse\"><value>false</value></prop></item>\n";
        const std::string usersItem =
            "<item oor:path=\"/org.openoffice.Setup/Office/Factories/org.openoffice.Setup:Factory[&apos;com.sun."
            "star.text.TextDocument&apos;]\"><prop oor:name=\"ooSetupFactoryTemplateFile\" "
            "oor:op=\"fuse\"><value>file:///home/u/Mine.ott</value></prop></item>";
        QTest::addColumn<QByteArray>("profile"); // empty: no registrymodifications.xcu yet
        QTest::addColumn<QByteArray>("earlierValue");
        QTest::addColumn<QByteArray>("kept"); // must survive unchanged
        QTest::newRow("no settings yet") << QByteArray() << QByteArray("<value/>") << QByteArray();
        QTest::newRow("other settings") << QByteArray::fromStdString(head + other + "</oor:items>\n")
                                        << QByteArray("<value/>") << QByteArray::fromStdString(other);
        QTest::newRow("the user's own default")
            << QByteArray::fromStdString(head + other + usersItem + "\n</oor:items>\n")
            << QByteArray("<value>file:///home/u/Mine.ott</value>") << QByteArray::fromStdString(other);
    }

    void writerDefaultTemplate()
    {
        QFETCH(QByteArray, profile);
        QFETCH(QByteArray, earlierValue);
        QFETCH(QByteArray, kept);
        QTemporaryDir temp;
        const fs::path user = fs::path(temp.path().toStdString()) / "lo/user";
        fs::create_directories(user / "template");
        if (!profile.isEmpty())
            Write(user / "registrymodifications.xcu", profile.toStdString());
        const fs::path normal = user / "template/Normal dé\xff.dot";

        for (int run = 0; run < 2; ++run)
            SetDefaultWriterTemplate(user, normal);

        const QByteArray written = QByteArray::fromStdString(Read(user / "registrymodifications.xcu"));
        const QByteArray url = QByteArray::fromStdString(FileUrl(normal));
        QVERIFY(url.endsWith("/lo/user/template/Normal%20d%C3%A9%FF.dot"));
        QCOMPARE(written.count("ooSetupFactoryTemplateFile"), 1);
        QVERIFY(written.contains("<value>" + url + "</value></prop></item>\n</oor:items>"));
        QVERIFY(written.contains(kept));
        QVERIFY(!written.contains("Mine.ott"));
        const QByteArray earlier = QByteArray::fromStdString(Read(user / kEarlierTemplateSetting));
        QVERIFY(earlier.contains("ooSetupFactoryTemplateFile\" oor:op=\"fuse\">" + earlierValue + "</prop>"));
    }

    // One installer at a time per user: the lock is the kernel's, so a
    // second holder is refused until the first lets go.
    void oneInstallationAtATime()
    {
        QTemporaryDir temp;
        LinuxPaths paths = samplePaths;
        paths.lockFile = fs::path(temp.path().toStdString()) / "cache/glyphinstall.lock";
        LinuxFileSystem first(paths, {});
        LinuxFileSystem second(paths, {});
        QVERIFY(first.LockInstallation());
        QVERIFY(!second.LockInstallation());
        first.UnlockInstallation();
        QVERIFY(second.LockInstallation());
    }
};

QTEST_APPLESS_MAIN(TestLinuxPlatform)
#include "test_linux_platform.moc"
