#include "SystemFacts.h"

#include <array>
#include <optional>

namespace installer {
namespace {

// Platform identifier 1 is VER_PLATFORM_WIN32_WINDOWS (the 9x family); the
// identifier is looked at only for major version 4.
enum class Platform { Any, Windows9x, NotWindows9x };

struct VersionRow {
    std::optional<std::uint32_t> major;
    Platform platform;
    std::optional<std::uint32_t> minor;
    std::u16string_view name;
    bool appendMinor = false; // "Windows NT 3." + minor + " "
};

// Chosen by major version, then platform, then minor version; first match
// wins, the last row catches everything else.
constexpr std::array kVersionTable{
    VersionRow{3, Platform::Any, {}, u"Windows NT 3.", true},
    VersionRow{4, Platform::Windows9x, 0, u"Windows95 "},
    VersionRow{4, Platform::Windows9x, 10, u"Windows98 "},
    VersionRow{4, Platform::Windows9x, 90, u"Windows ME "},
    VersionRow{4, Platform::Windows9x, {}, u"Unknown Windows 9x system "},
    VersionRow{4, Platform::NotWindows9x, 0, u"Windows NT 4 "},
    VersionRow{4, Platform::NotWindows9x, {}, u"Unknown NT 4-based version "},
    VersionRow{5, Platform::Any, 0, u"Windows 2000 "},
    VersionRow{5, Platform::Any, 1, u"Windows XP (Whistler) "},
    VersionRow{5, Platform::Any, {}, u"Unknown Windows NT 5 system "},
    VersionRow{{}, Platform::Any, {}, u"Unknown Windows system"},
};

constexpr std::u16string_view kVersionQueryFailed =
    u"Unable to get version information. GetVersionEx returned \r\n";

constexpr std::u16string_view kWindowsMe = u"Windows ME ";

bool Matches(const VersionRow& row, const VersionNumbers& version)
{
    constexpr std::uint32_t windows9x = 1;
    if (row.major && *row.major != version.major)
        return false;
    if (row.platform == Platform::Windows9x && version.platformId != windows9x)
        return false;
    if (row.platform == Platform::NotWindows9x && version.platformId == windows9x)
        return false;
    return !row.minor || *row.minor == version.minor;
}

std::u16string Decimal(std::uint32_t number)
{
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

} // namespace

std::u16string OsVersionName(const VersionNumbers& version)
{
    if (!version.succeeded)
        return std::u16string(kVersionQueryFailed);
    for (const VersionRow& row : kVersionTable) {
        if (!Matches(row, version))
            continue;
        std::u16string name(row.name);
        if (row.appendMinor)
            name += Decimal(version.minor) + u" ";
        return name;
    }
    return {}; // not reached: the last row matches every version
}

std::u16string& TrimAtNul(std::u16string& text)
{
    const auto scanned = std::u16string_view(text).substr(0, kProbeBufferLength);
    const auto nul = scanned.find(u'\0');
    if (nul != std::u16string_view::npos)
        text.resize(nul);
    return text;
}

bool IsWindowsMe(std::u16string_view versionName)
{
    return versionName == kWindowsMe;
}

std::u16string TemplatesFolder(std::u16string_view windowsFolder, std::u16string_view userName,
                               std::u16string_view versionName)
{
    constexpr std::u16string_view templatesTail = u"\\Application Data\\Microsoft\\Templates\\";
    std::u16string folder;
    if (IsWindowsMe(versionName)) {
        folder = windowsFolder;
    } else {
        // The drive root: letter, colon and backslash.
        folder = windowsFolder.substr(0, 3);
        folder += u"Documents and Settings\\";
        folder += userName;
    }
    return folder += templatesTail;
}

std::u16string CurrentUserName(SystemProbe& probe)
{
    std::u16string buffer = probe.UserNameBuffer();
    return TrimAtNul(buffer);
}

std::u16string OsVersionName(SystemProbe& probe)
{
    return OsVersionName(probe.QueryVersion());
}

std::u16string WindowsFolder(SystemProbe& probe)
{
    std::u16string buffer = probe.WindowsFolderBuffer();
    return TrimAtNul(buffer);
}

} // namespace installer
