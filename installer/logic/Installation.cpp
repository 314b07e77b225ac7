#include "Installation.h"

#include "InstallationTexts.h"
#include "SystemFacts.h"

#include <array>
#include <optional>
#include <string_view>

namespace installer {
namespace {

enum class When { Always, NotOnMe };

struct FontFile {
    std::u16string_view name;
    When when;
};

// Copied from the installer's folder into W + "\fonts", in this order.
constexpr std::array fontFiles{
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

constexpr std::u16string_view installFolder = u"c:\\Nurvel\\";

// Copied into the install folder, in this order. The drive letter's case
// differs between the literals and means nothing.
constexpr std::array programFiles{
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

// A program file that could not be copied, with the failure's kind.
struct ProgramCopyFailure {
    std::u16string_view name;
    FailureKind kind;
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
        controls_.SetConsentCaption(std::u16string(CopyingFontsCaption));
        windowsFolder_ = controls_.SelectWindowsFolderEntry();
        const std::u16string versionName = controls_.VersionNameCaption();
        me_ = IsWindowsMe(versionName);
        templates_ = TemplatesFolder(windowsFolder_, controls_.UserNameCaption(), versionName);

        // The single recovery point: the first failure of the template and
        // font steps abandons the rest of them. A failure while copying the
        // program files comes back to it once, and only when it was reached
        // without a failure.
        std::optional<FailureKind> failure = GuardedSteps();
        bool mayRecover = !failure;
        for (;;) {
            if (failure == FailureKind::Permission) {
                controls_.SetYesVisible(true);
                controls_.SetConsentCaption(std::u16string(WordRunningCaption));
                return InstallationOutcome::WordRunning;
            }
            const std::optional<ProgramCopyFailure> copyFailure = CopyProgramFiles();
            if (!copyFailure) {
                controls_.ShowSuccessPage();
                return InstallationOutcome::Completed;
            }
            if (!mayRecover) {
                // Tell the user which file failed and why, and leave the
                // consent page with Yes so the installation can be retried.
                controls_.SetConsentCaption(
                    CopyFailedCaption(copyFailure->name, copyFailure->kind));
                controls_.SetYesVisible(true);
                return InstallationOutcome::Failed;
            }
            mayRecover = false;
            failure = copyFailure->kind;
        }
    }

private:
    // The template and font steps and the install folder; returns the kind
    // of the first failure, if any.
    std::optional<FailureKind> GuardedSteps()
    {
        try {
            files_.TestFolderExists(templates_);
            const std::u16string normal = templates_ + u"\\Normal.dot";
            const std::u16string productTemplate = Join(source_, u"VovediVoda.dot");
            // Keep the user's Normal.dot, if there is one yet. Once it is the
            // product's template (a later installation, or a retry after the
            // template was already replaced), backing it up would overwrite
            // the user's own backup.
            if (Readable(normal) && !files_.SameContents(normal, productTemplate))
                files_.CopyFileReplacing(normal, templates_ + u"\\OldNormal.dot");
            files_.CopyFileReplacing(productTemplate, normal);

            windowsFolder_ = controls_.SelectWindowsFolderEntry();
            const std::u16string fonts = windowsFolder_ + u"\\fonts";
            for (const FontFile& font : fontFiles) {
                if (!Applies(font.when, me_))
                    continue;
                // A font the system has loaded cannot be overwritten, not
                // even with the same bytes; a later installation finds it in
                // place and only registers it again.
                const std::u16string source = Join(source_, font.name);
                const std::u16string installed = Join(fonts, font.name);
                if (!files_.SameContents(source, installed))
                    files_.CopyFileReplacing(source, installed);
                files_.RegisterFont(installed);
            }
            desktop_.ExploreFolder(fonts);
            files_.CreateFolder(std::u16string(installFolder));
        } catch (const FileError& error) {
            return error.kind();
        }
        return std::nullopt;
    }

    // The interface has no existence test; a file that can be read reads
    // the same as itself.
    bool Readable(const std::u16string& path) { return files_.SameContents(path, path); }

    // The program files; returns the first failure, if any.
    std::optional<ProgramCopyFailure> CopyProgramFiles()
    {
        for (const ProgramFile& file : programFiles) {
            if (!Applies(file.when, me_))
                continue;
            try {
                files_.CopyFileReplacing(Join(source_, file.name), std::u16string(file.destination));
            } catch (const FileError& error) {
                return ProgramCopyFailure{file.name, error.kind()};
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
};

} // namespace

InstallationOutcome RunInstallation(InstallationControls& controls, FileSystem& files,
                                    Desktop& desktop, const std::u16string& installerFolder)
{
    return Procedure(controls, files, desktop, installerFolder).Run();
}

} // namespace installer
