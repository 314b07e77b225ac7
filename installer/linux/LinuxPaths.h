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
    std::u16string userName;                 // the login name
    std::filesystem::path fontsFolder;       // C:\WINDOWS\fonts
    std::filesystem::path templatesFolder;   // the user's templates folder on C:
    std::filesystem::path installFolder;     // C:\Nurvel

    // From the login name and the XDG base folders of the environment.
    static LinuxPaths FromEnvironment();

    // The Linux path a Windows-form path names, or nothing when it names a
    // place that does not exist here. Drive letters and folder names compare
    // without regard to case; doubled backslashes read as one.
    std::optional<std::filesystem::path> Map(std::u16string_view windowsPath) const;
};

// The Windows-form name of an absolute Linux path, through drive Z:.
std::u16string OnDriveZ(const std::filesystem::path& path);

// The Windows folder the probes report.
inline constexpr std::u16string_view WindowsFolderName = u"C:\\WINDOWS";

// The login name of the user running the installer.
std::u16string LoginName();

// A refused operation (a busy or locked file, missing rights, a read-only
// medium) is a permission failure; every other error is Other.
FailureKind FailureKindOf(int errorNumber);

} // namespace installer::xdg
