#pragma once

#include "FileSystem.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace installer::xdg {

// Where the Windows-form paths of the installation land on a Linux desktop.
// The installer's own folder is reached through drive Z:, whose root is the
// file system root; on drive C: only the folders below exist.
struct LinuxPaths {
    std::u16string userName;                // the login name
    std::filesystem::path fontsFolder;      // C:\WINDOWS\fonts
    std::filesystem::path templatesFolder;  // the user's templates folder on C:
    std::filesystem::path installFolder;    // C:\Nurvel
    std::filesystem::path fontconfigFolder; // the user's fontconfig conf.d, for the font alias
    std::filesystem::path lockFile;         // held while an installation runs

    // From the login name and the XDG base folders of the environment.
    static LinuxPaths FromEnvironment();

    // The Linux path a Windows-form path names, or nothing when it names a
    // place that does not exist here. Drive letters and folder names compare
    // without regard to case; doubled backslashes read as one.
    std::optional<std::filesystem::path> Map(std::u16string_view windowsPath) const;
};

// The Windows-form name of an absolute Linux path, through drive Z:.
std::u16string OnDriveZ(const std::filesystem::path& path);

// A Linux file name (any bytes but '/' and NUL) as one component of a
// Windows-form path, and back. UTF-8 is decoded; a byte that is not part of
// valid UTF-8 becomes U+DC80 + (byte - 0x80), a lone surrogate that no
// decoded name holds, and a backslash becomes U+F05C, so that it does not
// split the component. A name that holds U+F05C itself keeps it as escaped
// bytes. LinuxName(WindowsName(bytes)) == bytes for every name.
std::u16string WindowsName(std::string_view bytes);
std::string LinuxName(std::u16string_view name);

// The Windows folder the probes report.
inline constexpr std::u16string_view kWindowsFolderName = u"C:\\WINDOWS";

// The login name of the user running the installer.
std::u16string LoginName();

// The failure kind of an errno value. No word processor on Linux holds its
// files open against writers, so nothing here is a Permission failure:
// missing rights and read-only media are Denied.
FailureKind FailureKindOf(int errorNumber);

} // namespace installer::xdg
