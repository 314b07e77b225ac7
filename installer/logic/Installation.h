#pragma once

#include "FileSystem.h"
#include "InstallationControls.h"
#include "SystemProbe.h"

#include <string>

namespace installer {

enum class InstallationOutcome {
    Completed,   // success page shown, Yes hidden
    WordRunning, // consent page asks to close the word processor; Yes shown
    Failed,      // a program file could not be copied; consent page names it
    Incomplete,  // program files copied, the template or the fonts not; the
                 // last page says which and why, Yes hidden
    Busy,        // another installer holds the lock; nothing touched, the
                 // consent page says so, Yes shown
};

// The installation run by the Yes button: keeps the user's Normal.dot as
// OldNormal.dot and puts the product's template in its place, copies the
// fonts into the Windows fonts folder and shows it, creates the install
// folder and copies the program files into it. installerFolder is the folder
// of the running installer, which holds every source file. Nothing already
// done is undone on failure, and no file of the user's is lost: an existing
// backup is never replaced, and a Normal.dot that is neither the product's
// template nor a backup already is kept under the next free numbered name
// (OldNormal2.dot, OldNormal3.dot ...). The template and the fonts are
// independent parts: a failure in one (other than a file held open) leaves
// the other to run, and the last page names what was not installed.
InstallationOutcome RunInstallation(InstallationControls& controls, FileSystem& files, Desktop& desktop,
                                    const std::u16string& installerFolder);

} // namespace installer
