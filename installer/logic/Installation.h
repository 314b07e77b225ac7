#pragma once

#include "FileSystem.h"
#include "InstallationControls.h"
#include "SystemProbe.h"

#include <string>

namespace installer {

enum class InstallationOutcome {
    Completed,    // success page shown, Yes hidden
    WordRunning,  // consent page asks to close the word processor; Yes shown
    Failed,       // a program file could not be copied; consent page names it
};

// The installation run by the Yes button: keeps the user's Normal.dot as
// OldNormal.dot and puts the product's template in its place, copies the
// fonts into the Windows fonts folder and shows it, creates the install
// folder and copies the program files into it. installerFolder is the folder
// of the running installer, which holds every source file. Nothing already
// done is undone on failure.
InstallationOutcome RunInstallation(InstallationControls& controls, FileSystem& files,
                                    Desktop& desktop, const std::u16string& installerFolder);

} // namespace installer
