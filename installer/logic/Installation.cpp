#include "Installation.h"

#include "InstallationTexts.h"
#include "SystemFacts.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace installer {
namespace {

enum class When { Always, NotOnMe };

struct FontFile {
    std::u16string_view name;
    When when;
};

// Copied from the installer's folder into W + "\fonts", in this order.
constexpr std::array kFontFiles{
    FontFile{u"NurvelSans.ttf", When::NotOnMe},
    FontFile{u"NurvelSansB.ttf", When::NotOnMe},
    FontFile{u"Vudida.ttf", When::Always},
    FontFile{u"Dizever.ttf", When::Always},
};

struct ProgramFile {
    std::u16string_view name;
    std::u16string_view destination;
    When when;
};

constexpr std::u16string_view kInstallFolder = u"c:\\Nurvel\\";

// Copied into the install folder, in this order. The drive letter's case
// differs between the literals and means nothing.
constexpr std::array kProgramFiles{
    ProgramFile{u"NurvelT.nrv", u"C:\\Nurvel\\NurvelT.nrv", When::Always},
    ProgramFile{u"NurvelV.nrv", u"C:\\Nurvel\\NurvelV.nrv", When::Always},
    ProgramFile{u"Glyphboard.exe", u"C:\\Nurvel\\Glyphboard.exe", When::Always},
    ProgramFile{u"Docpush.exe", u"c:\\Nurvel\\Docpush.exe", When::NotOnMe},
};

bool Applies(When when, bool me)
{
    return when == When::Always || !me;
}

std::u16string Join(std::u16string_view folder, std::u16string_view name)
{
    std::u16string path(folder);
    path += u'\\';
    path += name;
    return path;
}

// A file operation that failed: what was being done to which file, and how
// it failed.
struct StepFailure {
    FileAction action;
    std::u16string name;
    FailureKind kind;

    std::u16string Text() const { return FailureText(action, name, kind); }
};

// Thrown out of a part when one of its steps fails.
struct PartFailed {
    StepFailure failure;
};

// Names for backups of the user's Normal.dot: the first is OldNormal.dot,
// later ones are numbered from 2.
std::u16string BackupName(int number)
{
    if (number == 1)
        return u"OldNormal.dot";
    std::u16string name = u"OldNormal";
    for (char c : std::to_string(number))
        name += char16_t(c);
    return name + u".dot";
}

constexpr int kMaxBackups = 999;

// Releases the installation lock when the procedure ends, however it ends.
class LockHolder {
public:
    explicit LockHolder(FileSystem& files) : files_(files), held_(files.LockInstallation()) { }
    ~LockHolder()
    {
        if (held_)
            files_.UnlockInstallation();
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    bool Held() const { return held_; }

private:
    FileSystem& files_;
    bool held_;
};

class Procedure {
public:
    Procedure(InstallationControls& controls, FileSystem& files, Desktop& desktop,
              const std::u16string& installerFolder)
        : controls_(controls), files_(files), desktop_(desktop), source_(installerFolder)
    {
    }

    InstallationOutcome Run()
    {
        controls_.SetYesVisible(false);
        controls_.SetConsentCaption(std::u16string(kCopyingFontsCaption));
        const LockHolder lock(files_);
        if (!lock.Held()) {
            controls_.SetConsentCaption(std::u16string(kBusyCaption));
            controls_.SetYesVisible(true);
            return InstallationOutcome::Busy;
        }
        windowsFolder_ = controls_.SelectWindowsFolderEntry();
        const std::u16string versionName = controls_.VersionNameCaption();
        me_ = IsWindowsMe(versionName);
        templates_ = TemplatesFolder(windowsFolder_, controls_.UserNameCaption(), versionName);

        // A file held open by another program stops the whole guarded part:
        // the user closes the word processor and presses Yes again. Any
        // other failure stops only its own part; it is reported at the end.
        for (const auto& [part, steps] : {std::pair{InstallPart::Template, &Procedure::TemplateSteps},
                                          std::pair{InstallPart::Fonts, &Procedure::FontSteps},
                                          std::pair{InstallPart::ProgramFiles, &Procedure::InstallFolderStep}}) {
            try {
                (this->*steps)();
            } catch (const PartFailed& failed) {
                if (failed.failure.kind == FailureKind::Permission)
                    return WordRunning();
                report_.push_back(PartNotInstalledLine(part, failed.failure.Text()));
            }
        }

        // The program files. A failure here comes back once for a second
        // pass, and only when the guarded part had no failure.
        bool mayRecover = report_.empty();
        for (;;) {
            const std::optional<StepFailure> copyFailure = CopyProgramFiles();
            if (!copyFailure)
                break;
            if (mayRecover && copyFailure->kind == FailureKind::Permission)
                return WordRunning();
            if (!mayRecover) {
                // Tell the user which file failed and why, and leave the
                // consent page with Yes so the installation can be retried.
                std::u16string caption = copyFailure->Text();
                for (const std::u16string& line : report_)
                    caption += u'\n' + line;
                controls_.SetConsentCaption(caption);
                controls_.SetYesVisible(true);
                return InstallationOutcome::Failed;
            }
            mayRecover = false;
        }
        if (report_.empty()) {
            controls_.ShowSuccessPage();
            return InstallationOutcome::Completed;
        }
        std::u16string report(kIncompleteHeading);
        for (const std::u16string& line : report_)
            report += u'\n' + line;
        controls_.ShowIncompletePage(report);
        return InstallationOutcome::Incomplete;
    }

private:
    InstallationOutcome WordRunning()
    {
        controls_.SetYesVisible(true);
        controls_.SetConsentCaption(std::u16string(kWordRunningCaption));
        return InstallationOutcome::WordRunning;
    }

    // Runs one file operation; a failure ends the part with what was being
    // done to which file.
    template <typename Operation>
    void Step(FileAction action, std::u16string_view name, Operation operation)
    {
        try {
            operation();
        } catch (const FileError& error) {
            throw PartFailed{{action, std::u16string(name), error.kind()}};
        }
    }

    // Keeps whatever the user had as Normal.dot, then puts the product's
    // template in its place.
    void TemplateSteps()
    {
        Step(FileAction::Copy, u"Normal.dot", [&] { files_.TestFolderExists(templates_); });
        const std::u16string normal = templates_ + u"\\Normal.dot";
        const std::u16string productTemplate = Join(source_, u"VovediVoda.dot");
        if (files_.Exists(normal)) {
            // A Normal.dot that cannot be read cannot be kept, so it is not
            // replaced either.
            Step(FileAction::Read, u"Normal.dot", [&] { files_.TestReadable(normal); });
            KeepUsersTemplate(normal, productTemplate);
        }
        Step(FileAction::Copy, u"VovediVoda.dot", [&] { files_.CopyFileReplacing(productTemplate, normal); });
    }

    // Nothing to keep when Normal.dot is the product's template already (a
    // later installation, or a retry) or a copy of a backup (a retry after
    // the backup was made). Otherwise the first free backup name takes it;
    // an existing backup is never replaced.
    void KeepUsersTemplate(const std::u16string& normal, const std::u16string& productTemplate)
    {
        if (files_.SameContents(normal, productTemplate))
            return;
        for (int number = 1; number <= kMaxBackups; ++number) {
            const std::u16string name = BackupName(number);
            const std::u16string backup = Join(templates_, name);
            if (!files_.Exists(backup)) {
                Step(FileAction::Copy, name, [&] { files_.CopyFileNew(normal, backup); });
                return;
            }
            if (files_.SameContents(normal, backup))
                return;
        }
        throw PartFailed{{FileAction::Copy, BackupName(kMaxBackups + 1), FailureKind::Other}};
    }

    void FontSteps()
    {
        windowsFolder_ = controls_.SelectWindowsFolderEntry();
        const std::u16string fonts = windowsFolder_ + u"\\fonts";
        for (const FontFile& font : kFontFiles) {
            if (!Applies(font.when, me_))
                continue;
            // A font the system has loaded cannot be overwritten, not even
            // with the same bytes; a later installation finds it in place and
            // only registers it again.
            const std::u16string source = Join(source_, font.name);
            const std::u16string installed = Join(fonts, font.name);
            if (!files_.SameContents(source, installed))
                Step(FileAction::Copy, font.name, [&] { files_.CopyFileReplacing(source, installed); });
            Step(FileAction::Register, font.name, [&] { files_.RegisterFont(installed); });
        }
        desktop_.ExploreFolder(fonts);
    }

    // The install folder is made unless an earlier installation made it.
    void InstallFolderStep()
    {
        const std::u16string folder(kInstallFolder);
        try {
            files_.TestFolderExists(folder);
        } catch (const FileError&) {
            Step(FileAction::CreateFolder, u"Nurvel", [&] { files_.CreateFolder(folder); });
        }
    }

    // The program files; returns the first failure, if any.
    std::optional<StepFailure> CopyProgramFiles()
    {
        for (const ProgramFile& file : kProgramFiles) {
            if (!Applies(file.when, me_))
                continue;
            try {
                files_.CopyFileReplacing(Join(source_, file.name), std::u16string(file.destination));
            } catch (const FileError& error) {
                return StepFailure{FileAction::Copy, std::u16string(file.name), error.kind()};
            }
        }
        return std::nullopt;
    }

    InstallationControls& controls_;
    FileSystem& files_;
    Desktop& desktop_;
    const std::u16string source_;
    std::u16string windowsFolder_;
    std::u16string templates_;
    bool me_ = false;
    std::vector<std::u16string> report_; // one line per part not installed
};

} // namespace

InstallationOutcome RunInstallation(InstallationControls& controls, FileSystem& files, Desktop& desktop,
                                    const std::u16string& installerFolder)
{
    return Procedure(controls, files, desktop, installerFolder).Run();
}

} // namespace installer
