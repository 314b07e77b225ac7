#include "Installation.h"
#include "InstallationTexts.h"
#include "InstallerFakes.h"

#include <QTest>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

using namespace installer;
using installer::testing::FakeFileSystem;
using installer::testing::RecordingDesktop;

namespace {

constexpr std::u16string_view xp = u"Windows XP (Whistler) ";
constexpr std::u16string_view me = u"Windows ME ";
const std::u16string source = u"E:\\setup";
const std::u16string templates = u"C:\\Documents and Settings\\student\\Application Data\\Microsoft\\Templates";
const std::u16string meTemplates = u"C:\\WINDOWS\\Application Data\\Microsoft\\Templates";
const std::u16string fonts = u"C:\\WINDOWS\\fonts";
const std::u16string installFolder = u"C:\\Nurvel";
constexpr std::u16string_view consentCaption = u"هل توافق على تثبيت الملف؟";

std::u16string In(const std::u16string& folder, std::u16string_view name)
{
    return folder + u"\\" + std::u16string(name);
}

QString Q(std::u16string_view text)
{
    return QString::fromStdU16String(std::u16string(text));
}

// The wizard's controls as plain values.
class FakeControls : public InstallationControls {
public:
    std::u16string userName = u"student";
    std::u16string versionName{xp};
    std::u16string windowsFolder = u"C:\\WINDOWS";
    std::u16string caption{consentCaption};
    bool yesVisible = true;
    bool successShown = false;
    std::u16string incompleteReport; // empty unless the incomplete page is shown

    std::u16string UserNameCaption() override { return userName; }
    std::u16string VersionNameCaption() override { return versionName; }
    std::u16string SelectWindowsFolderEntry() override { return windowsFolder; }
    void SetConsentCaption(const std::u16string& text) override { caption = text; }
    void SetYesVisible(bool visible) override { yesVisible = visible; }
    void ShowSuccessPage() override { successShown = true; }
    void ShowIncompletePage(const std::u16string& report) override { incompleteReport = report; }
};

// A machine with the word processor's templates folder and the user's own
// Normal.dot, the Windows fonts folder, and every source file in the
// installer's folder (each file holds its own name).
struct Machine {
    FakeFileSystem files;
    RecordingDesktop desktop;
    FakeControls controls;

    Machine()
    {
        files.AddFolder(u"C:\\WINDOWS");
        files.AddFolder(fonts);
        files.AddFolder(templates);
        files.AddFile(In(templates, u"Normal.dot"), "user's template");
        files.AddFolder(source);
        for (const char16_t* name :
             {u"VovediVoda.dot", u"NurvelSans.ttf", u"NurvelSansB.ttf", u"Vudida.ttf", u"Dizever.ttf",
              u"NurvelT.nrv", u"NurvelV.nrv", u"Glyphboard.exe", u"Docpush.exe"})
            files.AddFile(In(source, name), QString::fromStdU16String(name).toStdString());
    }

    InstallationOutcome Install() { return RunInstallation(controls, files, desktop, source); }
    const std::vector<std::u16string>& registered() const { return files.registered; }
};

using Change = std::pair<std::u16string, std::string>;

std::vector<Change> TemplateSwapped()
{
    return {{In(templates, u"OldNormal.dot"), "user's template"}, {In(templates, u"Normal.dot"), "VovediVoda.dot"}};
}

std::vector<Change> Copied(const std::u16string& folder, std::initializer_list<const char16_t*> names)
{
    std::vector<Change> changes;
    for (const char16_t* name : names)
        changes.push_back({In(folder, name), QString::fromStdU16String(name).toStdString()});
    return changes;
}

std::vector<Change> operator+(std::vector<Change> a, const std::vector<Change>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const auto allFonts = [] {
    return Copied(fonts, {u"NurvelSans.ttf", u"NurvelSansB.ttf", u"Vudida.ttf", u"Dizever.ttf"});
};
const auto allProgramFiles = [] {
    return Copied(installFolder, {u"NurvelT.nrv", u"NurvelV.nrv", u"Glyphboard.exe", u"Docpush.exe"});
};

struct Scenario {
    const char* name;
    std::function<void(Machine&)> prepare;
    InstallationOutcome outcome;
    std::vector<Change> changes; // every file written; all others stay as they were
    bool explored;               // the fonts folder was shown
    std::u16string caption;      // Label3 afterwards
    std::u16string report = {};  // the incomplete page's report, if shown
};

// The consent page's captions as the design words them.
const std::u16string copying = u"الآن يتم نسخ الخطوط اللآزمة";
const std::u16string wordRunning = u"برنامج الوورد يعمل الآن، فضلا أغلق الوورد ثم اضغض مفتاح نعم";

// The incomplete page's report of the parts, each with its failure.
std::u16string Report(std::initializer_list<std::pair<InstallPart, std::u16string>> parts)
{
    std::u16string report(kIncompleteHeading);
    for (const auto& [part, failure] : parts)
        report += u'\n' + PartNotInstalledLine(part, failure);
    return report;
}

void WithUserFiles(Machine& m, std::initializer_list<std::pair<const char16_t*, const char*>> files)
{
    for (const auto& [name, contents] : files)
        m.files.AddFile(In(templates, name), contents);
}

const std::vector<Scenario>& Scenarios()
{
    static const std::vector<Scenario> scenarios{
        {"first installation", [](Machine&) {}, InstallationOutcome::Completed,
         TemplateSwapped() + allFonts() + allProgramFiles(), true, copying},
        {"ME: templates in the Windows folder, no NurvelSans, no Docpush",
         [](Machine& m) {
             m.controls.versionName = me;
             m.files.AddFolder(meTemplates);
             m.files.AddFile(In(meTemplates, u"Normal.dot"), "user's template");
         },
         InstallationOutcome::Completed,
         std::vector<Change>{{In(meTemplates, u"OldNormal.dot"), "user's template"},
                             {In(meTemplates, u"Normal.dot"), "VovediVoda.dot"}}
             + Copied(fonts, {u"Vudida.ttf", u"Dizever.ttf"})
             + Copied(installFolder, {u"NurvelT.nrv", u"NurvelV.nrv", u"Glyphboard.exe"}),
         true, copying},
        {"no Normal.dot yet: nothing to keep",
         [](Machine& m) { m.files.files.erase(FakeFileSystem::Key(In(templates, u"Normal.dot"))); },
         InstallationOutcome::Completed,
         std::vector<Change>{{In(templates, u"Normal.dot"), "VovediVoda.dot"}} + allFonts() + allProgramFiles(),
         true, copying},
        {"word processor holds Normal.dot at the backup",
         [](Machine& m) { m.files.FailOn(In(templates, u"Normal.dot"), FailureKind::Permission); },
         InstallationOutcome::WordRunning,
         {},
         false,
         wordRunning},
        {"word processor holds Normal.dot at the replacement",
         [](Machine& m) { m.files.FailOn(In(templates, u"Normal.dot"), FailureKind::Permission, -1, true); },
         InstallationOutcome::WordRunning,
         {{In(templates, u"OldNormal.dot"), "user's template"}},
         false,
         wordRunning},
        {"a font held open", [](Machine& m) { m.files.FailOn(In(fonts, u"Vudida.ttf"), FailureKind::Permission); },
         InstallationOutcome::WordRunning,
         TemplateSwapped() + Copied(fonts, {u"NurvelSans.ttf", u"NurvelSansB.ttf"}), false, wordRunning},
        {"templates folder missing, install folder there: fonts and program files all the same",
         [](Machine& m) {
             m.files = {};
             m.files.AddFolder(u"C:\\WINDOWS");
             m.files.AddFolder(fonts);
             m.files.AddFolder(installFolder);
             m.files.AddFolder(source);
             for (const auto& [path, contents] : Machine().files.files)
                 if (path.starts_with(FakeFileSystem::Key(source)))
                     m.files.files[path] = contents;
         },
         InstallationOutcome::Incomplete, allFonts() + allProgramFiles(), true, copying,
         Report({{InstallPart::Template, FailureText(FileAction::Copy, u"Normal.dot", FailureKind::Other)}})},
        {"templates folder missing, no install folder: the install folder is made",
         [](Machine& m) { m.files.folders.erase(FakeFileSystem::Key(templates)); }, InstallationOutcome::Incomplete,
         allFonts() + allProgramFiles(), true, copying,
         Report({{InstallPart::Template, FailureText(FileAction::Copy, u"Normal.dot", FailureKind::Other)}})},
        {"source font missing, install folder there",
         [](Machine& m) {
             m.files.files.erase(FakeFileSystem::Key(In(source, u"Vudida.ttf")));
             m.files.AddFolder(installFolder);
         },
         InstallationOutcome::Incomplete,
         TemplateSwapped() + Copied(fonts, {u"NurvelSans.ttf", u"NurvelSansB.ttf"}) + allProgramFiles(), false,
         copying, Report({{InstallPart::Fonts, FailureText(FileAction::Copy, u"Vudida.ttf", FailureKind::Other)}})},
        {"source font missing, no install folder",
         [](Machine& m) { m.files.files.erase(FakeFileSystem::Key(In(source, u"Dizever.ttf"))); },
         InstallationOutcome::Incomplete,
         TemplateSwapped() + Copied(fonts, {u"NurvelSans.ttf", u"NurvelSansB.ttf", u"Vudida.ttf"})
             + allProgramFiles(),
         false, copying,
         Report({{InstallPart::Fonts, FailureText(FileAction::Copy, u"Dizever.ttf", FailureKind::Other)}})},
        {"fonts folder refused (no rights): reported, not taken for a running word processor",
         [](Machine& m) { m.files.FailOn(In(fonts, u"NurvelSans.ttf"), FailureKind::Denied); },
         InstallationOutcome::Incomplete, TemplateSwapped() + allProgramFiles(), false, copying,
         Report({{InstallPart::Fonts, FailureText(FileAction::Copy, u"NurvelSans.ttf", FailureKind::Denied)}})},
        {"template and fonts both fail: both reported",
         [](Machine& m) {
             m.files.FailOn(In(templates, u"Normal.dot"), FailureKind::NoSpace, -1, true);
             m.files.FailOn(In(fonts, u"Dizever.ttf"), FailureKind::NoSpace);
         },
         InstallationOutcome::Incomplete,
         std::vector<Change>{{In(templates, u"OldNormal.dot"), "user's template"}}
             + Copied(fonts, {u"NurvelSans.ttf", u"NurvelSansB.ttf", u"Vudida.ttf"}) + allProgramFiles(),
         false, copying,
         Report({{InstallPart::Template, FailureText(FileAction::Copy, u"VovediVoda.dot", FailureKind::NoSpace)},
                 {InstallPart::Fonts, FailureText(FileAction::Copy, u"Dizever.ttf", FailureKind::NoSpace)}})},
        {"unreadable Normal.dot: neither kept nor replaced",
         [](Machine& m) { m.files.unreadable.insert(FakeFileSystem::Key(In(templates, u"Normal.dot"))); },
         InstallationOutcome::Incomplete, allFonts() + allProgramFiles(), true, copying,
         Report({{InstallPart::Template, FailureText(FileAction::Read, u"Normal.dot", FailureKind::Denied)}})},
        {"another installer running: nothing touched",
         [](Machine& m) { m.files.lockedElsewhere = true; },
         InstallationOutcome::Busy,
         {},
         false,
         std::u16string(kBusyCaption)},
        {"later installation, Normal.dot edited since: kept under the next number",
         [](Machine& m) {
             WithUserFiles(m, {{u"OldNormal.dot", "user's template"}, {u"Normal.dot", "edited"}});
         },
         InstallationOutcome::Completed,
         std::vector<Change>{{In(templates, u"OldNormal2.dot"), "edited"},
                             {In(templates, u"Normal.dot"), "VovediVoda.dot"}}
             + allFonts() + allProgramFiles(),
         true, copying},
        {"newer medium over an older product template, two backups there already",
         [](Machine& m) {
             WithUserFiles(m, {{u"OldNormal.dot", "user's template"},
                               {u"OldNormal2.dot", "edited"},
                               {u"Normal.dot", "older VovediVoda.dot"}});
         },
         InstallationOutcome::Completed,
         std::vector<Change>{{In(templates, u"OldNormal3.dot"), "older VovediVoda.dot"},
                             {In(templates, u"Normal.dot"), "VovediVoda.dot"}}
             + allFonts() + allProgramFiles(),
         true, copying},
        {"Normal.dot already kept under a numbered name: no further backup",
         [](Machine& m) {
             WithUserFiles(
                 m,
                 {{u"OldNormal.dot", "user's template"}, {u"OldNormal2.dot", "edited"}, {u"Normal.dot", "edited"}});
         },
         InstallationOutcome::Completed,
         std::vector<Change>{{In(templates, u"Normal.dot"), "VovediVoda.dot"}} + allFonts() + allProgramFiles(),
         true, copying},
        {"install folder there from an earlier installation",
         [](Machine& m) {
             m.files.AddFolder(installFolder);
             m.files.AddFile(In(installFolder, u"Glyphboard.exe"), "old program");
         },
         InstallationOutcome::Completed, TemplateSwapped() + allFonts() + allProgramFiles(), true, copying},
        {"program file fails once (other): copied again from the first",
         [](Machine& m) { m.files.FailOn(In(installFolder, u"NurvelV.nrv"), FailureKind::Other, 1); },
         InstallationOutcome::Completed, TemplateSwapped() + allFonts() + allProgramFiles(), true, copying},
        {"program file fails on both passes (other)",
         [](Machine& m) { m.files.FailOn(In(installFolder, u"NurvelV.nrv"), FailureKind::Other, 2); },
         InstallationOutcome::Failed, TemplateSwapped() + allFonts() + Copied(installFolder, {u"NurvelT.nrv"}),
         true, CopyFailedCaption(u"NurvelV.nrv", FailureKind::Other)},
        {"program file held open on the first pass",
         [](Machine& m) { m.files.FailOn(In(installFolder, u"Glyphboard.exe"), FailureKind::Permission, 1); },
         InstallationOutcome::WordRunning,
         TemplateSwapped() + allFonts() + Copied(installFolder, {u"NurvelT.nrv", u"NurvelV.nrv"}), true,
         wordRunning},
        {"program file fails (other), then held open on the second pass",
         [](Machine& m) {
             m.files.FailOn(In(installFolder, u"Docpush.exe"), FailureKind::Other, 1);
             m.files.FailOn(In(installFolder, u"Docpush.exe"), FailureKind::Permission, 1);
         },
         InstallationOutcome::Failed,
         TemplateSwapped() + allFonts()
             + Copied(installFolder, {u"NurvelT.nrv", u"NurvelV.nrv", u"Glyphboard.exe"}),
         true, CopyFailedCaption(u"Docpush.exe", FailureKind::Permission)},
        {"program file fails after an earlier failure: no second pass, both named",
         [](Machine& m) {
             m.files.AddFolder(installFolder);
             m.files.FailOn(In(templates, u"OldNormal.dot"), FailureKind::Other);
             m.files.FailOn(In(installFolder, u"NurvelT.nrv"), FailureKind::Other, 1);
         },
         InstallationOutcome::Failed, allFonts(), true,
         CopyFailedCaption(u"NurvelT.nrv", FailureKind::Other) + u"\n"
             + PartNotInstalledLine(InstallPart::Template,
                                    FailureText(FileAction::Copy, u"OldNormal.dot", FailureKind::Other))},
    };
    return scenarios;
}

} // namespace

class TestInstallation : public QObject {
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
        const Scenario& expected = Scenarios()[index];

        Machine machine;
        expected.prepare(machine);
        FakeFileSystem::Files files = machine.files.files;
        for (const auto& [path, contents] : expected.changes)
            files[FakeFileSystem::Key(path)] = contents;

        QCOMPARE(machine.Install(), expected.outcome);

        QCOMPARE(machine.files.files, files);
        QCOMPARE(machine.desktop.explored,
                 expected.explored ? std::vector<std::u16string>{fonts} : std::vector<std::u16string>{});
        QCOMPARE(Q(machine.controls.caption), Q(expected.caption));
        QCOMPARE(Q(machine.controls.incompleteReport), Q(expected.report));
        QCOMPARE(machine.controls.successShown, expected.outcome == InstallationOutcome::Completed);
        const bool ended = expected.outcome == InstallationOutcome::Completed
                           || expected.outcome == InstallationOutcome::Incomplete;
        QCOMPARE(machine.controls.yesVisible, !ended);
    }

    // A user who closes the word processor and presses Yes again, or who
    // installs a second time, keeps the backup of their own Normal.dot.
    void laterRunsKeepTheUsersBackup_data()
    {
        QTest::addColumn<bool>("fontHeldOpenFirst");
        QTest::newRow("second installation") << false;
        QTest::newRow("retry after a font was held open") << true;
    }

    void laterRunsKeepTheUsersBackup()
    {
        QFETCH(bool, fontHeldOpenFirst);
        Machine machine;
        if (fontHeldOpenFirst)
            machine.files.FailOn(In(fonts, u"Dizever.ttf"), FailureKind::Permission, 1);

        const InstallationOutcome first = machine.Install();
        QCOMPARE(first, fontHeldOpenFirst ? InstallationOutcome::WordRunning : InstallationOutcome::Completed);
        QCOMPARE(machine.Install(), InstallationOutcome::Completed);

        QCOMPARE(machine.files.files.at(FakeFileSystem::Key(In(templates, u"OldNormal.dot"))), "user's template");
        QCOMPARE(machine.files.files.at(FakeFileSystem::Key(In(templates, u"Normal.dot"))), "VovediVoda.dot");
    }

    // Each font is registered right after its copy; a registration that
    // fails is a failure of that step, with the copy's own consequences.
    void fontsAreRegisteredAfterTheirCopies_data()
    {
        QTest::addColumn<bool>("onMe");
        QTest::addColumn<QString>("refused"); // font whose registration fails
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QStringList>("registered");
        QTest::addColumn<QStringList>("installedFonts");
        const QStringList all{"NurvelSans.ttf", "NurvelSansB.ttf", "Vudida.ttf", "Dizever.ttf"};
        const int other = int(FailureKind::Other);
        const int permission = int(FailureKind::Permission);
        QTest::newRow("all four") << false << QString() << other << int(InstallationOutcome::Completed) << all
                                  << all;
        QTest::newRow("ME: the math fonts only")
            << true << QString() << other << int(InstallationOutcome::Completed)
            << QStringList{"Vudida.ttf", "Dizever.ttf"} << QStringList{"Vudida.ttf", "Dizever.ttf"};
        QTest::newRow("refused: later fonts skipped")
            << false << "Vudida.ttf" << other << int(InstallationOutcome::Incomplete)
            << QStringList{"NurvelSans.ttf", "NurvelSansB.ttf"}
            << QStringList{"NurvelSans.ttf", "NurvelSansB.ttf", "Vudida.ttf"};
        QTest::newRow("denied: the word processor page")
            << false << "NurvelSans.ttf" << permission << int(InstallationOutcome::WordRunning) << QStringList{}
            << QStringList{"NurvelSans.ttf"};
    }

    void fontsAreRegisteredAfterTheirCopies()
    {
        QFETCH(bool, onMe);
        QFETCH(QString, refused);
        QFETCH(int, kind);
        QFETCH(int, outcome);
        QFETCH(QStringList, registered);
        QFETCH(QStringList, installedFonts);

        Machine machine;
        machine.files.AddFolder(installFolder); // the program files land even after a failure
        if (onMe) {
            machine.controls.versionName = me;
            machine.files.AddFolder(meTemplates);
        }
        if (!refused.isEmpty())
            machine.files.FailRegistration(In(fonts, refused.toStdU16String()), FailureKind(kind));

        QCOMPARE(int(machine.Install()), outcome);

        QStringList registeredNames;
        for (const std::u16string& path : machine.registered())
            registeredNames << Q(path).section(u'\\', -1);
        QStringList inFontsFolder;
        for (const auto& [path, contents] : machine.files.files)
            if (path.starts_with(FakeFileSystem::Key(fonts) + u"\\"))
                inFontsFolder << Q(path).section(u'\\', -1);
        std::transform(installedFonts.begin(), installedFonts.end(), installedFonts.begin(),
                       [](const QString& name) { return name.toLower(); });
        inFontsFolder.sort();
        installedFonts.sort();
        std::transform(registered.begin(), registered.end(), registered.begin(),
                       [](const QString& name) { return name.toLower(); });
        QCOMPARE(registeredNames, registered);
        QCOMPARE(inFontsFolder, installedFonts);
        QCOMPARE(machine.desktop.explored.empty(), !refused.isEmpty());
        if (outcome == int(InstallationOutcome::Incomplete))
            QVERIFY(machine.controls.incompleteReport.find(
                        FailureText(FileAction::Register, refused.toStdU16String(), FailureKind(kind)))
                    != std::u16string::npos);
    }

    // The system holds the fonts it has loaded open: a later installation
    // leaves the unchanged fonts in place and registers them again, while a
    // changed font held open is still the word processor's page.
    void laterRunsOverFontsTheSystemHolds_data()
    {
        QTest::addColumn<bool>("fontChanged");
        QTest::newRow("same fonts") << false;
        QTest::newRow("a changed font") << true;
    }

    void laterRunsOverFontsTheSystemHolds()
    {
        QFETCH(bool, fontChanged);
        Machine machine;
        QCOMPARE(machine.Install(), InstallationOutcome::Completed);
        for (const char16_t* font : {u"NurvelSans.ttf", u"NurvelSansB.ttf", u"Vudida.ttf", u"Dizever.ttf"})
            machine.files.FailOn(In(fonts, font), FailureKind::Permission, -1, true);
        if (fontChanged)
            machine.files.AddFile(In(source, u"Vudida.ttf"), "Vudida.ttf, a later version");
        machine.files.registered.clear();

        QCOMPARE(machine.Install(),
                 fontChanged ? InstallationOutcome::WordRunning : InstallationOutcome::Completed);
        QCOMPARE(int(machine.registered().size()), fontChanged ? 2 : 4);
    }

    // The failure texts the scenarios above compose, fixed by hand: the
    // verb of the action, the file, the reason in brackets; a report line
    // names the part first.
    void failureTexts_data()
    {
        QTest::addColumn<std::u16string>("text");
        QTest::addColumn<std::u16string>("expected");
        QTest::newRow("copy, other") << FailureText(FileAction::Copy, u"Normal.dot", FailureKind::Other)
                                     << std::u16string(u"تعذر نسخ Normal.dot (غير موجود أو خطأ في القرص)");
        QTest::newRow("read, denied") << FailureText(FileAction::Read, u"Normal.dot", FailureKind::Denied)
                                      << std::u16string(u"تعذرت قراءة Normal.dot (لا صلاحية أو القرص للقراءة فقط)");
        QTest::newRow("folder, no space")
            << FailureText(FileAction::CreateFolder, u"C:\\Nurvel", FailureKind::NoSpace)
            << std::u16string(u"تعذر إنشاء المجلد C:\\Nurvel (القرص ممتلئ)");
        QTest::newRow("register, not found")
            << FailureText(FileAction::Register, u"Vudida.ttf", FailureKind::NotFound)
            << std::u16string(u"تعذر تسجيل الخط Vudida.ttf (غير موجود)");
        QTest::newRow("program copy, in use")
            << CopyFailedCaption(u"Docpush.exe", FailureKind::Permission)
            << std::u16string(u"تعذر نسخ Docpush.exe (مستخدم أو محمي من الكتابة)");
        QTest::newRow("fonts line") << PartNotInstalledLine(InstallPart::Fonts, u"x")
                                    << std::u16string(u"لم تثبت الخطوط: x");
        QTest::newRow("template line") << PartNotInstalledLine(InstallPart::Template, u"x")
                                       << std::u16string(u"لم يثبت القالب: x");
        QTest::newRow("program files line") << PartNotInstalledLine(InstallPart::ProgramFiles, u"x")
                                            << std::u16string(u"لم تثبت ملفات البرنامج: x");
        QTest::newRow("heading") << std::u16string(kIncompleteHeading) << std::u16string(u"لم يكتمل التثبيت:");
        QTest::newRow("another installer busy")
            << std::u16string(kBusyCaption)
            << std::u16string(u"برنامج تثبيت آخر يعمل الآن، فضلا انتظر حتى ينتهي ثم اضغط مفتاح نعم");
    }

    void failureTexts()
    {
        QFETCH(std::u16string, text);
        QFETCH(std::u16string, expected);
        QCOMPARE(QString::fromStdU16String(text), QString::fromStdU16String(expected));
    }

    // Every action and every kind of failure has words of its own, so that
    // no two failures read alike.
    void failureTextsTellEveryCaseApart()
    {
        const FileAction actions[] = {FileAction::Copy, FileAction::Read, FileAction::CreateFolder,
                                      FileAction::Register};
        const FailureKind kinds[] = {FailureKind::Permission, FailureKind::Other, FailureKind::Denied,
                                     FailureKind::NoSpace, FailureKind::NotFound};
        std::set<std::u16string> texts;
        for (FileAction action : actions)
            for (FailureKind kind : kinds)
                texts.insert(FailureText(action, u"f", kind));
        QCOMPARE(texts.size(), std::size(actions) * std::size(kinds));
    }

    void retryAfterTheWordProcessorIsClosedCompletes()
    {
        Machine machine;
        machine.files.FailOn(In(templates, u"Normal.dot"), FailureKind::Permission, 1);
        QCOMPARE(machine.Install(), InstallationOutcome::WordRunning);
        QCOMPARE(machine.Install(), InstallationOutcome::Completed);
        QVERIFY(machine.controls.successShown);
        QCOMPARE(machine.files.files.at(FakeFileSystem::Key(In(templates, u"OldNormal.dot"))), "user's template");
        QCOMPARE(machine.files.files.at(FakeFileSystem::Key(In(templates, u"Normal.dot"))), "VovediVoda.dot");
    }
};

QTEST_APPLESS_MAIN(TestInstallation)
#include "test_installation.moc"
