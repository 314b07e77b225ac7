#include "LinuxPaths.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace installer::xdg {
namespace {

namespace fs = std::filesystem;

QString Q(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

std::filesystem::path HomeFolder()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* user = getpwuid(geteuid()))
        return user->pw_dir;
    return "/";
}

// An XDG base folder: the variable when it holds an absolute path, otherwise
// its default below the home folder.
fs::path XdgFolder(const char* variable, const fs::path& fallbackBelowHome)
{
    if (const char* value = std::getenv(variable); value && fs::path(value).is_absolute())
        return value;
    return HomeFolder() / fallbackBelowHome;
}

// The components of a Windows-form path, the drive first ("C:"), with empty
// components (doubled or trailing backslashes) dropped.
QStringList Components(std::u16string_view windowsPath)
{
    return Q(windowsPath).split(u'\\', Qt::SkipEmptyParts);
}

bool StartsWith(const QStringList& components, const QStringList& prefix)
{
    if (components.size() < prefix.size())
        return false;
    for (qsizetype i = 0; i < prefix.size(); ++i) {
        if (components[i].compare(prefix[i], Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

// Decoded as the rest of the desktop decodes file names; a name that is not
// valid in that encoding comes out damaged rather than stopping the program.
std::u16string Decoded(const std::string& bytes)
{
    return QString::fromLocal8Bit(bytes).toStdU16String();
}

fs::path Below(fs::path folder, const QStringList& components, qsizetype first)
{
    for (qsizetype i = first; i < components.size(); ++i)
        folder /= components[i].toStdU16String();
    return folder;
}

} // namespace

LinuxPaths LinuxPaths::FromEnvironment()
{
    const fs::path data = XdgFolder("XDG_DATA_HOME", ".local/share");
    const fs::path config = XdgFolder("XDG_CONFIG_HOME", ".config");
    return {LoginName(), data / "fonts", config / "libreoffice/4/user/template", data / "Nurvel"};
}

std::optional<fs::path> LinuxPaths::Map(std::u16string_view windowsPath) const
{
    const QStringList components = Components(windowsPath);
    if (!components.isEmpty() && components.front().compare(QStringLiteral("Z:"), Qt::CaseInsensitive) == 0)
        return Below("/", components, 1);

    // The only folders there are on the other drives.
    const struct {
        std::u16string windowsName;
        const fs::path& folder;
    } folders[] = {
        {u"C:\\WINDOWS\\fonts", fontsFolder},
        {u"C:\\Documents and Settings\\" + userName + u"\\Application Data\\Microsoft\\Templates", templatesFolder},
        {u"C:\\Nurvel", installFolder},
    };
    for (const auto& [windowsName, folder] : folders) {
        const QStringList prefix = Components(windowsName);
        if (StartsWith(components, prefix))
            return Below(folder, components, prefix.size());
    }
    return std::nullopt;
}

std::u16string OnDriveZ(const fs::path& path)
{
    std::u16string name = u"Z:";
    for (const fs::path& part : path.relative_path())
        name += u'\\' + Decoded(part.string());
    if (name.size() == 2)
        name += u'\\';  // the drive root keeps its backslash
    return name;
}

std::u16string LoginName()
{
    if (const passwd* user = getpwuid(geteuid()))
        return Decoded(user->pw_name);
    if (const char* name = std::getenv("LOGNAME"))
        return Decoded(name);
    return {};
}

FailureKind FailureKindOf(int errorNumber)
{
    constexpr std::array refused{EACCES, EPERM, EROFS, ETXTBSY, EBUSY};
    for (int refusal : refused) {
        if (errorNumber == refusal)
            return FailureKind::Permission;
    }
    return FailureKind::Other;
}

} // namespace installer::xdg
