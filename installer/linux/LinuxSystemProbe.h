#pragma once

#include "LinuxPaths.h"
#include "SystemProbe.h"

#include <filesystem>

namespace installer::xdg {

// The machine facts on Linux: the login name, the Windows folder
// "C:\WINDOWS" that the path mapping knows, no Windows version at all (the
// name becomes "Unknown Windows system"), and the installer's folder on
// drive Z:.
class LinuxSystemProbe : public SystemProbe {
public:
    explicit LinuxSystemProbe(std::filesystem::path installerFolder);

    VersionNumbers QueryVersion() override;
    std::u16string WindowsFolderBuffer() override;
    std::u16string UserNameBuffer() override;
    std::u16string InstallerFolder() override;

    // The folder of the running program.
    static std::filesystem::path RunningProgramFolder();

private:
    std::filesystem::path installerFolder_;
};

} // namespace installer::xdg
