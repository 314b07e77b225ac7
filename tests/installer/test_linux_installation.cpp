// Real installations on Linux: the wizard over the Linux platform layer,
// from a temporary installer folder into a temporary home folder, in the
// situations where a careless installer loses the user's files or says
// something untrue.

#include "AtomicFile.h"
#include "InstallationTexts.h"
#include "InstallerFakes.h"
#include "LinuxFileSystem.h"
#include "LinuxPaths.h"
#include "LinuxSystemProbe.h"
#include "WizardWindow.h"
#include "WriterProfile.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <fstream>
#include <functional>
#include <linux/capability.h>
#include <map>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace installer;
using namespace installer::xdg;
using installer::testing::RecordingDesktop;
using installer::wizard::WizardWindow;
namespace fs = std::filesystem;

namespace {

// The palette is a Linux program without extension; the other program
// keeps its Windows name.
const char* const sourceFiles[] = {"VovediVoda.dot",
                                   "VovediVoda.ott",
                                   "NurvelSans.ttf",
                                   "NurvelSansB.ttf",
                                   "Vudida.ttf",
                                   "Dizever.ttf",
                                   "NurvelT.nrv",
                                   "NurvelV.nrv",
                                   "Glyphboard",
                                   "Docpush.exe",
                                   "65-traditional-arabic.conf"};
const char* const fontFiles[] = {"NurvelSans.ttf", "NurvelSansB.ttf", "Vudida.ttf", "Dizever.ttf"};
const char* const programFiles[] = {"NurvelT.nrv", "NurvelV.nrv", "Glyphboard", "Docpush.exe"};
const fs::path profile = "home/.config/libreoffice/4/user";
const fs::path templates = profile / "template";
const fs::path fonts = "home/.local/share/fonts";
const fs::path install = "home/.local/share/Nurvel";
const fs::path settings = profile / "registrymodifications.xcu";
const std::string ordinarySettings =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items xmlns:oor=\"http://openoffice.org/2001/registry\">\n"
    "<item oor:path=\"/org.openoffice.Office.Common/Misc\"><prop oor:name=\"FirstRun\" "
    "oor:op=\"fuse\"><value>false</value></prop></item>\n</oor:items>\n";
// A template of the user's own as Writer's default for text documents.
const std::string usersDefaultItem =
    "<item oor:path=\"/org.openoffice.Setup/Office/Factories/org.openoffice.Setup:Factory[&apos;com.sun.star.text."
    "TextDocument&apos;]\"><prop oor:name=\"ooSetupFactoryTemplateFile\" oor:op=\"fuse\"><value>file:///home/u/"
    "Mine.ott</value></prop></item>\n";

using Tree = std::map<fs::path, std::string>;

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

QString Q(std::u16string_view text)
{
    return QString::fromStdU16String(std::u16string(text));
}

// Root keeps the permissions of an ordinary user for as long as this lives:
// without the capabilities that override file modes, a file of mode 0200
// cannot be read and one of mode 0444 cannot be written, as for everybody
// else. Capabilities belong to the thread; the wizard runs on this one.
class OrdinaryPermissions {
public:
    OrdinaryPermissions()
    {
        syscall(SYS_capget, &header_, saved_);
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        for (const int capability : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
            reduced[capability / 32].effective &= ~(1u << (capability % 32));
        syscall(SYS_capset, &header_, reduced);
    }
    ~OrdinaryPermissions() { syscall(SYS_capset, &header_, saved_); }
    OrdinaryPermissions(const OrdinaryPermissions&) = delete;
    OrdinaryPermissions& operator=(const OrdinaryPermissions&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
};

// Writes like write(2), except into the temporary file of `name`: there half
// of the block reaches the disk, then the write fails with `error`, or, when
// `error` is 0, the process is killed.
BlockWriter FailingOn(const std::string& name, int error)
{
    return [=](int fd, const char* data, std::size_t size) -> ssize_t {
        const fs::path target = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
        if (!target.filename().string().starts_with("." + name + "."))
            return WriteBlock(fd, data, size);
        WriteBlock(fd, data, size / 2);
        if (error == 0)
            ::raise(SIGKILL);
        errno = error;
        return -1;
    };
}

enum class Page { Success, Incomplete, Consent };

// What the user sees when the installation has ended.
struct Shown {
    Page page;
    QString text; // the report of the incomplete page, else the consent caption

    bool operator==(const Shown&) const = default;
};

char* toString(const Shown& shown)
{
    const char* pages[] = {"success", "incomplete", "consent"};
    return QTest::toString(QStringLiteral("%1 page: %2").arg(QLatin1String(pages[int(shown.page)]), shown.text));
}

// A temporary machine: an installer folder "setup" holding small source
// files (each holds its own name) and the home folder "home" of a user who
// has started LibreOffice once (a profile with settings but no template
// folder), with the environment pointing at it for as long as it lives.
struct Machine {
    QTemporaryDir temp;
    fs::path root = temp.path().toStdString();
    fs::path medium = root / "setup"; // the installer's folder
    QByteArray savedHome = qgetenv("HOME");

    Machine()
    {
        qputenv("HOME", QByteArray::fromStdString((root / "home").string()));
        for (const char* variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
            qunsetenv(variable);
        for (const char* name : sourceFiles)
            Write(root / "setup" / name, name);
        fs::permissions(root / "setup/Glyphboard", fs::perms::owner_exec, fs::perm_options::add);
        Write(root / settings, ordinarySettings);
    }
    ~Machine()
    {
        qputenv("HOME", savedHome);
        // Remove the temporary folder whatever modes and names (not valid
        // UTF-8, which Qt cannot name) a case left in it.
        std::error_code error;
        for (const auto& entry : fs::recursive_directory_iterator(root, error))
            if (!entry.is_symlink())
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(root, error);
    }

    LinuxPaths Paths() const { return LinuxPaths::FromEnvironment(); }

    // Runs the wizard as an ordinary user from start to the click on Yes.
    Shown Install(const BlockWriter& write = WriteBlock)
    {
        const OrdinaryPermissions ordinary;
        LinuxSystemProbe probe(medium);
        LinuxFileSystem files(
            Paths(), [](const fs::path&) {}, write);
        RecordingDesktop desktop;
        WizardWindow window(probe, files, desktop);
        window.show();
        const auto click = [&](const char* name) {
            QTest::mouseClick(window.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
        };
        click("Command1");
        for (int tick = 0; tick < 5; ++tick)
            QMetaObject::invokeMethod(window.findChild<QTimer*>(QStringLiteral("Timer1")), "timeout");
        click("Command3");
        const bool yes = window.findChild<QWidget*>(QStringLiteral("Command3"))->isVisible();
        if (!window.findChild<QWidget*>(QStringLiteral("Picture4"))->isVisible()) {
            if (!yes)
                qWarning("the consent page without Yes");
            return {Page::Consent, window.findChild<QLabel*>(QStringLiteral("Label3"))->text()};
        }
        const QString caption = window.findChild<QLabel*>(QStringLiteral("Label11"))->text();
        return {caption == QStringLiteral("تم التثبيت بنجاح") ? Page::Success : Page::Incomplete, caption};
    }

    // Every file and link below the machine, by relative path: a file with
    // its contents, a link as "-> target". LibreOffice's settings read as
    // what matters in them: which installed template is the default.
    Tree Files() const
    {
        Tree tree;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const fs::path name = fs::relative(entry.path(), root);
            if (entry.is_symlink())
                tree[name] = "-> " + fs::read_symlink(entry.path()).string();
            else if (entry.is_regular_file())
                tree[name] = Read(entry.path());
        }
        if (tree.contains(settings)) {
            std::string& text = tree[settings];
            for (const char* name : {"VovediVoda.ott", "Normal.dot"}) {
                const std::string item = "<value>" + FileUrl(root / templates / name) + "</value>";
                if (text.find(item) != std::string::npos && text.find("FirstRun") != std::string::npos)
                    text = std::string("FirstRun kept, ") + name + " the default";
            }
        }
        if (tree.contains(profile / kEarlierTemplateSetting)) {
            std::string& text = tree[profile / kEarlierTemplateSetting];
            const std::size_t start = text.find("<value");
            const std::size_t end = text.find("</prop>", start);
            if (start != std::string::npos && end != std::string::npos)
                text = "earlier default kept: " + text.substr(start, end - start);
        }
        return tree;
    }

    // The tree of a complete installation from scratch.
    Tree Installed() const
    {
        Tree tree;
        for (const char* name : sourceFiles)
            tree[fs::path("setup") / name] = name;
        tree[settings] = "FirstRun kept, VovediVoda.ott the default";
        tree[profile / kEarlierTemplateSetting] = "earlier default kept: <value/>";
        tree[templates / "Normal.dot"] = "VovediVoda.dot";
        tree[templates / "VovediVoda.ott"] = "VovediVoda.ott";
        tree["home/.config/fontconfig/conf.d/65-traditional-arabic.conf"] = "65-traditional-arabic.conf";
        for (const char* font : fontFiles)
            tree[fonts / font] = font;
        for (const char* file : programFiles)
            tree[install / file] = file;
        tree["home/.cache/glyphinstall.lock"] = "";
        return tree;
    }
};

Shown Success()
{
    return {Page::Success, QStringLiteral("تم التثبيت بنجاح")};
}

Shown Incomplete(InstallPart part, FileAction action, std::u16string_view file, FailureKind kind)
{
    return {Page::Incomplete, Q(std::u16string(kIncompleteHeading) + u'\n'
                                + PartNotInstalledLine(part, FailureText(action, file, kind)))};
}

struct Scenario {
    const char* name;
    // Sets the machine up, and may run earlier installations on it.
    std::function<void(Machine&)> prepare;
    // The installation under test.
    std::function<Shown(Machine&)> install;
    Shown shown;
    // From the tree of a complete installation to the tree expected.
    std::function<void(Machine&, Tree&)> adjust;
};

const std::vector<Scenario>& Scenarios()
{
    const auto plain = [](Machine& m) { return m.Install(); };
    const auto asInstalled = [](Machine&, Tree&) {};
    static const std::vector<Scenario> scenarios{
        {"ordinary profile: the template folder is made and the template made Writer's default", [](Machine&) {},
         plain, Success(), asInstalled},
        {"the user's Normal.dot, then an edited Normal.dot at a later installation",
         [](Machine& m) {
             Write(m.root / templates / "Normal.dot", "user's template");
             QCOMPARE(m.Install(), Success());
             Write(m.root / templates / "Normal.dot", "edited");
         },
         plain, Success(),
         [](Machine&, Tree& t) {
             t[templates / "OldNormal.dot"] = "user's template";
             t[templates / "OldNormal2.dot"] = "edited";
         }},
        {"a newer medium: the earlier product template is kept too",
         [](Machine& m) {
             Write(m.root / templates / "Normal.dot", "user's template");
             QCOMPARE(m.Install(), Success());
             Write(m.root / "setup/VovediVoda.dot", "newer template");
         },
         plain, Success(),
         [](Machine&, Tree& t) {
             t["setup/VovediVoda.dot"] = "newer template";
             t[templates / "Normal.dot"] = "newer template";
             t[templates / "OldNormal.dot"] = "user's template";
             t[templates / "OldNormal2.dot"] = "VovediVoda.dot";
         }},
        {"a read-only medium, installed twice: the files installed can be written",
         [](Machine& m) {
             for (const auto& entry : fs::directory_iterator(m.root / "setup"))
                 fs::permissions(entry.path(),
                                 fs::perms::owner_exec & fs::status(entry.path()).permissions() | fs::perms(0444));
             fs::permissions(m.root / "setup", fs::perms(0555));
             QCOMPARE(m.Install(), Success());
             for (const char* file : {"home/.local/share/fonts/Vudida.ttf", "home/.local/share/Nurvel/NurvelT.nrv",
                                      "home/.config/libreoffice/4/user/template/Normal.dot"})
                 QCOMPARE(fs::status(m.root / file).permissions(), fs::perms(0644));
             QCOMPARE(fs::status(m.root / install / "Glyphboard").permissions(), fs::perms(0755));
         },
         plain, Success(), asInstalled},
        {"an unreadable Normal.dot is neither kept nor replaced",
         [](Machine& m) {
             Write(m.root / templates / "Normal.dot", "user's template");
             fs::permissions(m.root / templates / "Normal.dot", fs::perms::owner_write);
         },
         plain, Incomplete(InstallPart::Template, FileAction::Read, u"Normal.dot", FailureKind::Denied),
         [](Machine&, Tree& t) {
             t[templates / "Normal.dot"] = "user's template";
             t[settings] = ordinarySettings;
             t.erase(profile / kEarlierTemplateSetting);
             t.erase(templates / "VovediVoda.ott");
         }},
        {"no LibreOffice profile: no template, but fonts and program files",
         [](Machine& m) { fs::remove_all(m.root / "home/.config/libreoffice"); }, plain,
         Incomplete(InstallPart::Template, FileAction::Copy, u"Normal.dot", FailureKind::NotFound),
         [](Machine&, Tree& t) {
             for (const fs::path& file : {settings, profile / kEarlierTemplateSetting, templates / "Normal.dot",
                                          templates / "VovediVoda.ott"})
                 t.erase(file);
         }},
        {"the fonts folder a dangling link",
         [](Machine& m) {
             fs::create_directories(m.root / fonts.parent_path());
             fs::create_symlink(m.root / "gone", m.root / fonts);
         },
         plain, Incomplete(InstallPart::Fonts, FileAction::Copy, u"NurvelSans.ttf", FailureKind::NotFound),
         [](Machine& m, Tree& t) {
             for (const char* font : fontFiles)
                 t.erase(fonts / font);
             t.erase("home/.config/fontconfig/conf.d/65-traditional-arabic.conf");
             t[fonts] = "-> " + (m.root / "gone").string();
         }},
        {"a medium folder named with a backslash and a byte that is not UTF-8",
         [](Machine& m) {
             m.medium = m.root / "a\\b \xe9";
             fs::rename(m.root / "setup", m.medium);
         },
         plain, Success(),
         [](Machine&, Tree& t) {
             for (const char* name : sourceFiles)
                 t[fs::path("a\\b \xe9") / name] = t.extract(fs::path("setup") / name).mapped();
         }},
        {"the disk full while a font is written", [](Machine&) {},
         [](Machine& m) { return m.Install(FailingOn("Dizever.ttf", ENOSPC)); },
         Incomplete(InstallPart::Fonts, FileAction::Copy, u"Dizever.ttf", FailureKind::NoSpace),
         [](Machine&, Tree& t) { t.erase(fonts / "Dizever.ttf"); }},
        {"the disk full while Normal.dot is written, then a rerun",
         [](Machine& m) {
             Write(m.root / templates / "Normal.dot", "user's template");
             QCOMPARE(m.Install(FailingOn("Normal.dot", ENOSPC)),
                      Incomplete(InstallPart::Template, FileAction::Copy, u"VovediVoda.dot", FailureKind::NoSpace));
             QCOMPARE(Read(m.root / templates / "Normal.dot"), "user's template");
         },
         plain, Success(), [](Machine&, Tree& t) { t[templates / "OldNormal.dot"] = "user's template"; }},
        {"the disk full while the Writer template is written, then a rerun",
         [](Machine& m) {
             QCOMPARE(m.Install(FailingOn("VovediVoda.ott", ENOSPC)),
                      Incomplete(InstallPart::Template, FileAction::Copy, u"VovediVoda.dot", FailureKind::NoSpace));
             QVERIFY(!fs::exists(m.root / templates / "VovediVoda.ott"));
             QCOMPARE(Read(m.root / settings), ordinarySettings);
         },
         plain, Success(), asInstalled},
        {"a medium without the Writer template: the Word template is Writer's default",
         [](Machine& m) { fs::remove(m.root / "setup/VovediVoda.ott"); }, plain, Success(),
         [](Machine&, Tree& t) {
             t.erase("setup/VovediVoda.ott");
             t.erase(templates / "VovediVoda.ott");
             t[settings] = "FirstRun kept, Normal.dot the default";
         }},
        {"an earlier installation made the Word template the default: the user's own choice stays kept",
         [](Machine& m) {
             std::string ownDefault = ordinarySettings;
             ownDefault.insert(ownDefault.rfind("</oor:items>"), usersDefaultItem);
             Write(m.root / settings, ownDefault);
             fs::rename(m.root / "setup/VovediVoda.ott", m.root / "VovediVoda.ott");
             QCOMPARE(m.Install(), Success());
             QCOMPARE(m.Files()[settings], "FirstRun kept, Normal.dot the default");
             fs::rename(m.root / "VovediVoda.ott", m.root / "setup/VovediVoda.ott");
         },
         plain, Success(),
         [](Machine&, Tree& t) {
             t[profile / kEarlierTemplateSetting] = "earlier default kept: <value>file:///home/u/Mine.ott</value>";
         }},
        {"an installer killed while writing Normal.dot, then a rerun",
         [](Machine& m) {
             Write(m.root / templates / "Normal.dot", "user's template");
             const pid_t child = fork();
             if (child == 0) {
                 LinuxFileSystem files(m.Paths(), {}, FailingOn("Normal.dot", 0));
                 files.CopyFileReplacing(OnDriveZ(m.root / "setup/VovediVoda.dot"),
                                         u"C:\\Documents and Settings\\" + LoginName()
                                             + u"\\Application Data\\Microsoft\\Templates\\Normal.dot");
                 _exit(0);
             }
             int status = 0;
             waitpid(child, &status, 0);
             QVERIFY(WIFSIGNALED(status));
             QCOMPARE(Read(m.root / templates / "Normal.dot"), "user's template");
         },
         plain, Success(), [](Machine&, Tree& t) { t[templates / "OldNormal.dot"] = "user's template"; }},
        {"two installers at once: the second touches nothing",
         [](Machine& m) { Write(m.root / templates / "Normal.dot", "user's template"); },
         [](Machine& m) {
             LinuxFileSystem first(m.Paths(), {});
             if (!first.LockInstallation())
                 qFatal("no lock");
             return m.Install();
         },
         Shown{Page::Consent, Q(kBusyCaption)},
         [](Machine& m, Tree& t) {
             t = {{"home/.cache/glyphinstall.lock", ""},
                  {templates / "Normal.dot", "user's template"},
                  {settings, ordinarySettings}};
             for (const char* name : sourceFiles)
                 t[fs::path("setup") / name] = name;
         }},
    };
    return scenarios;
}

} // namespace

class TestLinuxInstallation : public QObject {
    Q_OBJECT

private slots:
    void scenario_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(Scenarios().size()); ++i)
            QTest::newRow(Scenarios()[i].name) << i;
    }

    void scenario()
    {
        QFETCH(int, index);
        const Scenario& scenario = Scenarios()[index];
        Machine machine;
        scenario.prepare(machine);
        if (QTest::currentTestFailed())
            return;
        Tree expected = machine.Installed();
        scenario.adjust(machine, expected);

        QCOMPARE(scenario.install(machine), scenario.shown);
        const Tree tree = machine.Files();
        for (const auto& [path, contents] : expected)
            QCOMPARE(QString::fromStdString(tree.contains(path) ? tree.at(path) : "(missing) " + path.string()),
                     QString::fromStdString(contents));
        QCOMPARE(tree, expected);
    }

    // Only the palette stays executable, and the program files land under
    // their Linux names beside the fonts the file manager is shown.
    void programsAndFontsWhereTheMappingSays()
    {
        Machine machine;
        std::vector<fs::path> refreshed;
        LinuxFileSystem files(machine.Paths(), [&](const fs::path& folder) { refreshed.push_back(folder); });
        LinuxSystemProbe probe(machine.root / "setup");
        RecordingDesktop desktop;
        WizardWindow window(probe, files, desktop);
        window.show();
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command3")), Qt::LeftButton);
        QVERIFY(window.findChild<QWidget*>(QStringLiteral("Picture4"))->isVisible());

        const fs::path fontsFolder = machine.root / fonts;
        QCOMPARE(refreshed, std::vector<fs::path>(4, fontsFolder));
        QCOMPARE(desktop.explored, std::vector<std::u16string>{u"C:\\WINDOWS\\fonts"});
        QCOMPARE(machine.Paths().Map(desktop.explored.front()), std::optional<fs::path>(fontsFolder));
        const auto executable = [&](const fs::path& file) {
            return (fs::status(machine.root / file).permissions() & fs::perms::owner_exec) != fs::perms::none;
        };
        QVERIFY(executable(install / "Glyphboard"));
        QVERIFY(!executable(install / "Docpush.exe"));
        QVERIFY(!executable(templates / "Normal.dot"));
    }
};

QTEST_MAIN(TestLinuxInstallation)
#include "test_linux_installation.moc"
