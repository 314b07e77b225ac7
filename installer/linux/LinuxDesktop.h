#pragma once

#include "LinuxPaths.h"
#include "SystemProbe.h"

namespace installer::xdg {

// Opens folders in the desktop's file manager and asks the desktop session
// for its log-out or restart dialog.
class LinuxDesktop : public Desktop {
public:
    explicit LinuxDesktop(LinuxPaths paths);

    void ExploreFolder(const std::u16string& path) override;
    void ShowShutdownDialog() override;

private:
    LinuxPaths paths_;
};

} // namespace installer::xdg
