#include "LinuxPaths.h"

#include <QString>
#include <QStringList>

#include <utility>
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

fs::path Below(fs::path folder, const QStringList& components, qsizetype first)
{
    for (qsizetype i = first; i < components.size(); ++i)
        folder /= LinuxName(components[i].toStdU16String());
    return folder;
}

constexpr char16_t kEscapedBackslash = 0xF05C;
constexpr char16_t kFirstByteEscape = 0xDC80; // stands for the byte 0x80

// The code point of the well-formed UTF-8 sequence at the start of bytes and
// its length, or length 0 when it is not well formed.
std::pair<char32_t, std::size_t> DecodeUtf8(std::string_view bytes)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t code = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0)
        length = 2, code = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, code = lead & 0x0F, least = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, code = lead & 0x07, least = 0x10000;
    else
        return {0, 0};
    if (bytes.size() < length)
        return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {0, 0};
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {0, 0};
    return {code, length};
}

void AppendUtf16(std::u16string& text, char32_t code)
{
    if (code < 0x10000) {
        text += char16_t(code);
    } else {
        text += char16_t(0xD800 + ((code - 0x10000) >> 10));
        text += char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
    }
}

void AppendUtf8(std::string& bytes, char32_t code)
{
    if (code < 0x80) {
        bytes += char(code);
    } else if (code < 0x800) {
        bytes += char(0xC0 | (code >> 6));
        bytes += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        bytes += char(0xE0 | (code >> 12));
        bytes += char(0x80 | ((code >> 6) & 0x3F));
        bytes += char(0x80 | (code & 0x3F));
    } else {
        bytes += char(0xF0 | (code >> 18));
        bytes += char(0x80 | ((code >> 12) & 0x3F));
        bytes += char(0x80 | ((code >> 6) & 0x3F));
        bytes += char(0x80 | (code & 0x3F));
    }
}

} // namespace

LinuxPaths LinuxPaths::FromEnvironment()
{
    const fs::path data = XdgFolder("XDG_DATA_HOME", ".local/share");
    const fs::path config = XdgFolder("XDG_CONFIG_HOME", ".config");
    const fs::path cache = XdgFolder("XDG_CACHE_HOME", ".cache");
    return {LoginName(),
            data / "fonts",
            config / "libreoffice/4/user/template",
            data / "Nurvel",
            config / "fontconfig/conf.d",
            cache / "glyphinstall.lock"};
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
        name += u'\\' + WindowsName(part.native());
    if (name.size() == 2)
        name += u'\\'; // the drive root keeps its backslash
    return name;
}

std::u16string LoginName()
{
    if (const passwd* user = getpwuid(geteuid()))
        return WindowsName(user->pw_name);
    if (const char* name = std::getenv("LOGNAME"))
        return WindowsName(name);
    return {};
}

std::u16string WindowsName(std::string_view bytes)
{
    std::u16string name;
    while (!bytes.empty()) {
        const auto [code, length] = DecodeUtf8(bytes);
        if (code == u'\\') {
            name += kEscapedBackslash;
        } else if (length == 0 || code == kEscapedBackslash) {
            // Escape the stray byte, or each byte of a real U+F05C.
            const std::size_t escaped = length == 0 ? 1 : length;
            for (std::size_t i = 0; i < escaped; ++i)
                name += char16_t(kFirstByteEscape + (static_cast<unsigned char>(bytes[i]) - 0x80));
            bytes.remove_prefix(escaped);
            continue;
        } else {
            AppendUtf16(name, code);
        }
        bytes.remove_prefix(length);
    }
    return name;
}

std::string LinuxName(std::u16string_view name)
{
    std::string bytes;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i];
        const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00
                          && name[i + 1] <= 0xDFFF;
        if (pair) {
            AppendUtf8(bytes, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (name[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= kFirstByteEscape && unit <= kFirstByteEscape + 0x7F) {
            bytes += char(0x80 + (unit - kFirstByteEscape));
        } else if (unit == kEscapedBackslash) {
            bytes += '\\';
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(bytes, 0xFFFD); // a lone surrogate names no byte
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

FailureKind FailureKindOf(int errorNumber)
{
    const struct {
        int error;
        FailureKind kind;
    } kinds[] = {
        {EACCES, FailureKind::Denied},   {EPERM, FailureKind::Denied},     {EROFS, FailureKind::Denied},
        {ENOSPC, FailureKind::NoSpace},  {EDQUOT, FailureKind::NoSpace},   {EFBIG, FailureKind::NoSpace},
        {ENOENT, FailureKind::NotFound}, {ENOTDIR, FailureKind::NotFound},
    };
    for (const auto& [error, kind] : kinds) {
        if (errorNumber == error)
            return kind;
    }
    return FailureKind::Other;
}

} // namespace installer::xdg
