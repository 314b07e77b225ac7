#include "Win32SystemProbe.h"

#include "WinText.h"

#include <windows.h>

namespace installer::win {

using glyphboard::win::FromAnsi;
using glyphboard::win::FromWide;
using glyphboard::win::ToAnsi;

namespace {

// The folder and user-name calls write into a buffer of 255 spaces and are
// told it holds 254; whatever they leave there is handed back whole.
constexpr std::size_t kBufferLength = 255;
constexpr DWORD kBufferSizeGiven = 254;

std::string SpaceBuffer()
{
    return ToAnsi(std::u16string(kBufferLength, u' '));
}

} // namespace

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record is 148 bytes");

VersionNumbers Win32SystemProbe::QueryVersion()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    VersionNumbers version;
    version.succeeded = GetVersionExA(&info) != 0;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.platformId = info.dwPlatformId;
    return version;
}

std::u16string Win32SystemProbe::WindowsFolderBuffer()
{
    std::string buffer = SpaceBuffer();
    GetWindowsDirectoryA(buffer.data(), kBufferSizeGiven);
    return FromAnsi(buffer);
}

std::u16string Win32SystemProbe::UserNameBuffer()
{
    std::string buffer = SpaceBuffer();
    DWORD size = kBufferSizeGiven;
    GetUserNameA(buffer.data(), &size);
    return FromAnsi(buffer);
}

std::u16string Win32SystemProbe::InstallerFolder()
{
    // The wide call: the installer may sit in a folder whose name the ANSI
    // code page cannot hold.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return FolderOfProgram(FromWide(path));
}

std::u16string FolderOfProgram(const std::u16string& programPath)
{
    const std::size_t separator = programPath.find_last_of(u"\\/");
    if (separator == std::u16string::npos)
        return {};
    std::u16string folder = programPath.substr(0, separator);
    if (folder.size() == 2 && folder[1] == u':')
        folder += u'\\';
    return folder;
}

} // namespace installer::win
