#pragma once

#include "SystemProbe.h"

namespace installer::win {

// The machine's facts through the ANSI calls of kernel32 and advapi32.
class Win32SystemProbe final : public SystemProbe {
public:
    VersionNumbers QueryVersion() override;
    std::u16string WindowsFolderBuffer() override;
    std::u16string UserNameBuffer() override;
    std::u16string InstallerFolder() override;
};

// The folder part of a program's full path: no trailing backslash, except
// that a drive root keeps its own ("Z:\").
std::u16string FolderOfProgram(const std::u16string& programPath);

} // namespace installer::win
