#include "LinuxFileSystem.h"

#include "WriterExtension.h"

#include <QProcess>
#include <QString>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

namespace installer::xdg {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::error_code& error, const fs::path& path)
{
    throw FileError(FailureKindOf(error.value()), path.string() + ": " + error.message());
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

} // namespace

LinuxFileSystem::LinuxFileSystem(LinuxPaths paths, FontCacheRefresh refresh)
    : paths_(std::move(paths)), refresh_(std::move(refresh))
{
}

fs::path LinuxFileSystem::Resolve(const std::u16string& windowsPath) const
{
    if (const std::optional<fs::path> path = paths_.Map(windowsPath))
        return *path;
    throw FileError(FailureKind::Other,
                    "path not found: " + QString::fromStdU16String(windowsPath).toStdString());
}

void LinuxFileSystem::CopyFileReplacing(const std::u16string& source, const std::u16string& destination)
{
    fs::path from = Resolve(source);
    fs::path to = Resolve(destination);
    UsePlainProgramName(from, to);
    const bool intoFonts = to.parent_path() == paths_.fontsFolder;
    std::error_code error;
    // The Windows fonts folder always exists; its Linux counterpart is made
    // on first use.
    if (intoFonts && (fs::create_directories(paths_.fontsFolder, error), error))
        Fail(error, paths_.fontsFolder);
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error)
        Fail(error, to);
    if (intoFonts && refresh_)
        refresh_(paths_.fontsFolder);
    if (to == paths_.installFolder / "Glyphboard")
        RegisterWriterExtension(from.parent_path());
}

void LinuxFileSystem::CreateFolder(const std::u16string& path)
{
    const fs::path folder = Resolve(path);
    std::error_code error;
    // The mapped folders stand for folders right below C:\, which always
    // exists; the XDG folders above them may not exist yet.
    if (folder == paths_.installFolder && (fs::create_directories(folder.parent_path(), error), error))
        Fail(error, folder.parent_path());
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
    if (!fs::is_directory(folder, error))
        Fail(error ? error : std::make_error_code(std::errc::no_such_file_or_directory), folder);
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

void LinuxFileSystem::RefreshFontCache(const fs::path& fontsFolder)
{
    QProcess::execute(QStringLiteral("fc-cache"), {QString::fromStdString(fontsFolder.string())});
}

} // namespace installer::xdg
