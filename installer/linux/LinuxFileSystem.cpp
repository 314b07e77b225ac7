#include "LinuxFileSystem.h"

#include "WriterExtension.h"
#include "WriterProfile.h"

#include <QProcess>
#include <QString>

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/file.h>
#include <system_error>
#include <unistd.h>

namespace installer::xdg {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::error_code& error, const fs::path& path)
{
    throw FileError(FailureKindOf(error.value()), path.string() + ": " + error.message());
}

[[noreturn]] void Fail(const fs::filesystem_error& error)
{
    Fail(error.code(), error.path1());
}

std::optional<std::string> Contents(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Linux programs carry no extension: where the installer's folder holds
// "Glyphboard" rather than "Glyphboard.exe", that program is copied, and
// installed under its plain name too.
void UsePlainProgramName(fs::path& from, fs::path& to)
{
    if (from.extension() != ".exe" || fs::exists(from))
        return;
    const fs::path plain = fs::path(from).replace_extension();
    if (!fs::is_regular_file(plain))
        return;
    from = plain;
    if (to.extension() == ".exe")
        to.replace_extension();
}

// Makes the folder and those above it; something else in its place (a
// plain file, a link to nowhere) is no folder.
void MakeFolder(const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (error == std::errc::file_exists)
        error = std::make_error_code(std::errc::not_a_directory);
    if (error)
        Fail(error, folder);
}

} // namespace

LinuxFileSystem::LinuxFileSystem(LinuxPaths paths, FontCacheRefresh refresh, BlockWriter write)
    : paths_(std::move(paths)), refresh_(std::move(refresh)), write_(std::move(write))
{
}

LinuxFileSystem::~LinuxFileSystem()
{
    UnlockInstallation();
}

fs::path LinuxFileSystem::Resolve(const std::u16string& windowsPath) const
{
    if (const std::optional<fs::path> path = paths_.Map(windowsPath))
        return *path;
    throw FileError(FailureKind::NotFound,
                    "path not found: " + QString::fromStdU16String(windowsPath).toStdString());
}

void LinuxFileSystem::Copy(const std::u16string& source, const std::u16string& destination, Placement placement)
{
    fs::path from = Resolve(source);
    fs::path to = Resolve(destination);
    UsePlainProgramName(from, to);
    // The Windows fonts folder always exists; its Linux counterpart is made
    // on first use.
    const bool intoFonts = to.parent_path() == paths_.fontsFolder;
    if (intoFonts)
        MakeFolder(paths_.fontsFolder);
    try {
        CopyAtomically(from, to, placement, write_);
        if (intoFonts)
            InstallFontAlias(from.parent_path());
        // Word starts every new document from Normal.dot in its templates
        // folder; LibreOffice has no such name and must be told.
        if (to == paths_.templatesFolder / "Normal.dot")
            InstallDefaultWriterTemplate(from, to, write_);
    } catch (const fs::filesystem_error& error) {
        Fail(error);
    }
    if (intoFonts && refresh_)
        refresh_(paths_.fontsFolder);
    if (to == paths_.installFolder / "Glyphboard")
        RegisterWriterExtension(from.parent_path());
}

void LinuxFileSystem::InstallFontAlias(const fs::path& sourceFolder)
{
    const fs::path alias = sourceFolder / FontAliasFile;
    if (!fs::is_regular_file(alias))
        return;
    const fs::path installed = paths_.fontconfigFolder / FontAliasFile;
    if (Contents(alias) == Contents(installed))
        return;
    MakeFolder(paths_.fontconfigFolder);
    CopyAtomically(alias, installed, Placement::Replace, write_);
}

void LinuxFileSystem::CopyFileReplacing(const std::u16string& source, const std::u16string& destination)
{
    Copy(source, destination, Placement::Replace);
}

void LinuxFileSystem::CopyFileNew(const std::u16string& source, const std::u16string& destination)
{
    Copy(source, destination, Placement::New);
}

void LinuxFileSystem::CreateFolder(const std::u16string& path)
{
    const fs::path folder = Resolve(path);
    std::error_code error;
    // The mapped folders stand for folders right below C:\, which always
    // exists; the XDG folders above them may not exist yet.
    if (folder == paths_.installFolder)
        MakeFolder(folder.parent_path());
    if (!fs::create_directory(folder, error)) {
        if (!error)
            error = std::make_error_code(std::errc::file_exists);
        Fail(error, folder);
    }
}

void LinuxFileSystem::TestFolderExists(const std::u16string& path)
{
    const fs::path folder = Resolve(path);
    std::error_code error;
    if (fs::is_directory(folder, error))
        return;
    // A LibreOffice profile has no template folder until the user saves a
    // template; the profile folder above it shows that LibreOffice is there.
    if (folder == paths_.templatesFolder && fs::is_directory(folder.parent_path())
        && !fs::exists(fs::symlink_status(folder))) {
        if (fs::create_directory(folder, error) || fs::is_directory(folder))
            return;
    }
    Fail(error ? error : std::make_error_code(std::errc::no_such_file_or_directory), folder);
}

bool LinuxFileSystem::Exists(const std::u16string& path)
{
    const std::optional<fs::path> file = paths_.Map(path);
    std::error_code error;
    return file && fs::exists(fs::symlink_status(*file, error));
}

void LinuxFileSystem::TestReadable(const std::u16string& path)
{
    const fs::path file = Resolve(path);
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    char byte;
    if (fd < 0 || ::read(fd, &byte, 1) < 0) {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        Fail(std::error_code(error, std::generic_category()), file);
    }
    ::close(fd);
}

bool LinuxFileSystem::SameContents(const std::u16string& first, const std::u16string& second)
{
    const std::optional<fs::path> a = paths_.Map(first);
    const std::optional<fs::path> b = paths_.Map(second);
    if (!a || !b)
        return false;
    const std::optional<std::string> contentsA = Contents(*a);
    return contentsA && contentsA == Contents(*b);
}

bool LinuxFileSystem::LockInstallation()
{
    if (lock_ >= 0)
        return true;
    std::error_code error;
    fs::create_directories(paths_.lockFile.parent_path(), error);
    lock_ = ::open(paths_.lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a lock file (a read-only home) the installation itself will
    // say what it cannot write.
    if (lock_ < 0)
        return true;
    if (::flock(lock_, LOCK_EX | LOCK_NB) == 0)
        return true;
    ::close(lock_);
    lock_ = -1;
    return false;
}

void LinuxFileSystem::UnlockInstallation()
{
    if (lock_ >= 0)
        ::close(lock_);
    lock_ = -1;
}

void LinuxFileSystem::RefreshFontCache(const fs::path& fontsFolder)
{
    QProcess::execute(QStringLiteral("fc-cache"), {QString::fromStdString(fontsFolder.string())});
}

} // namespace installer::xdg
