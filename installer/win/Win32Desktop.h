#pragma once

#include "SystemProbe.h"

namespace installer::win {

// Explorer and the shell's shut-down dialog.
class Win32Desktop final : public Desktop {
public:
    // ShellExecuteA with the verb "Explore" and the path in the ANSI code
    // page; returns at once and reports nothing.
    void ExploreFolder(const std::u16string& path) override;
    // The shell's shut-down dialog (shell32 export 60), with no owner window.
    void ShowShutdownDialog() override;
};

} // namespace installer::win
