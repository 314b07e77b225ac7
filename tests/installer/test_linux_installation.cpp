// A real installation on Linux: the wizard over the Linux platform layer,
// from a temporary installer folder into a temporary home folder.

#include "InstallerFakes.h"
#include "LinuxFileSystem.h"
#include "LinuxPaths.h"
#include "LinuxSystemProbe.h"
#include "WizardWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <map>

using namespace installer;
using namespace installer::xdg;
using installer::testing::RecordingDesktop;
using installer::wizard::WizardWindow;
namespace fs = std::filesystem;

namespace {

// The palette is a Linux program without extension; the other program
// keeps its Windows name.
const char* const sourceFiles[] = {"VovediVoda.dot", "NurvelSans.ttf", "NurvelSansB.ttf", "Vudida.ttf", "Dizever.ttf",
                                   "NurvelT.nrv", "NurvelV.nrv", "Glyphboard", "Docpush.exe"};
const fs::path templates = "home/.config/libreoffice/4/user/template";

void Write(const fs::path& path, const std::string& contents)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << contents;
}

// Every file below the folder with its contents, by relative path.
std::map<fs::path, std::string> Tree(const fs::path& root)
{
    std::map<fs::path, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream file(entry.path(), std::ios::binary);
        tree[fs::relative(entry.path(), root)] = std::string(std::istreambuf_iterator<char>(file), {});
    }
    return tree;
}

// A temporary machine: an installer folder "setup" holding small source
// files (each holds its own name) and the user's home folder "home", with
// the environment pointing at it for as long as the machine lives.
struct Machine {
    QTemporaryDir temp;
    fs::path root = temp.path().toStdString();
    QByteArray savedHome = qgetenv("HOME");

    Machine()
    {
        qputenv("HOME", QByteArray::fromStdString((root / "home").string()));
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        for (const char* name : sourceFiles)
            Write(root / "setup" / name, name);
        fs::permissions(root / "setup/Glyphboard", fs::perms::owner_exec, fs::perm_options::add);
    }
    ~Machine() { qputenv("HOME", savedHome); }

    // Runs the wizard from start to the click on Yes; returns the shown
    // pages and what the consent page says.
    struct Run {
        bool success;
        bool yesShown;
        QString caption;
        std::vector<std::u16string> explored;
        std::vector<fs::path> refreshed;
    };

    Run Install()
    {
        const LinuxPaths paths = LinuxPaths::FromEnvironment();
        LinuxSystemProbe probe(root / "setup");
        Run run{};
        LinuxFileSystem files(paths, [&](const fs::path& folder) { run.refreshed.push_back(folder); });
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
        run.success = window.findChild<QWidget*>(QStringLiteral("Picture4"))->isVisible();
        run.yesShown = window.findChild<QWidget*>(QStringLiteral("Command3"))->isVisible();
        run.caption = window.findChild<QLabel*>(QStringLiteral("Label3"))->text();
        run.explored = desktop.explored;
        return run;
    }
};

} // namespace

class TestLinuxInstallation : public QObject {
    Q_OBJECT

private slots:
    void installsWhereTheMappingSays()
    {
        Machine machine;
        Write(machine.root / templates / "Normal.dot", "user's template");

        const Machine::Run run = machine.Install();
        QVERIFY(run.success);
        QVERIFY(!run.yesShown);

        std::map<fs::path, std::string> expected = {
            {templates / "OldNormal.dot", "user's template"},
            {templates / "Normal.dot", "VovediVoda.dot"},
        };
        for (const char* name : sourceFiles)
            expected[fs::path("setup") / name] = name;
        for (const char* font : {"NurvelSans.ttf", "NurvelSansB.ttf", "Vudida.ttf", "Dizever.ttf"})
            expected[fs::path("home/.local/share/fonts") / font] = font;
        for (const char* file : {"NurvelT.nrv", "NurvelV.nrv", "Glyphboard", "Docpush.exe"})
            expected[fs::path("home/.local/share/Nurvel") / file] = file;
        QCOMPARE(Tree(machine.root), expected);
        const fs::perms palette = fs::status(machine.root / "home/.local/share/Nurvel/Glyphboard").permissions();
        QVERIFY((palette & fs::perms::owner_exec) != fs::perms::none);

        const fs::path fonts = machine.root / "home/.local/share/fonts";
        QCOMPARE(run.refreshed, std::vector<fs::path>(4, fonts));
        QCOMPARE(run.explored, std::vector<std::u16string>{u"C:\\WINDOWS\\fonts"});
        QCOMPARE(LinuxPaths::FromEnvironment().Map(run.explored.front()), std::optional<fs::path>(fonts));

        // A second installation replaces the files and keeps the user's backup.
        Write(machine.root / "setup/Glyphboard", "newer program");
        QVERIFY(machine.Install().success);
        const auto tree = Tree(machine.root);
        QCOMPARE(tree.at(templates / "OldNormal.dot"), "user's template");
        QCOMPARE(tree.at("home/.local/share/Nurvel/Glyphboard"), "newer program");
        QCOMPARE(tree.size(), expected.size());
    }

    void firstTemplateWhereThereWasNone()
    {
        Machine machine;
        fs::create_directories(machine.root / templates);
        QVERIFY(machine.Install().success);
        const auto tree = Tree(machine.root);
        QCOMPARE(tree.at(templates / "Normal.dot"), "VovediVoda.dot");
        QVERIFY(!tree.contains(templates / "OldNormal.dot"));
    }

    // Without the word processor's templates folder nothing is installed,
    // and the user is told which file could not be copied.
    void withoutTheTemplatesFolderNothingLands()
    {
        Machine machine;
        const auto before = Tree(machine.root);
        const Machine::Run run = machine.Install();
        QVERIFY(!run.success);
        QVERIFY(run.yesShown);
        QVERIFY(run.caption.contains(u"NurvelT.nrv"));
        QCOMPARE(Tree(machine.root), before);
        QVERIFY(!fs::exists(machine.root / "home"));
    }
};

QTEST_MAIN(TestLinuxInstallation)
#include "test_linux_installation.moc"
