// Prints what the version probe reads and the name the installer makes of
// it, for test_win32_probes: wine gives each program the Windows version
// its registry names for it, so the version rows need a program of their
// own.
//
//   <succeeded> <major> <minor> <platform id> |<version name>|

#include "SystemFacts.h"
#include "Win32SystemProbe.h"
#include "WinText.h"

#include <cstdio>

int main()
{
    installer::win::Win32SystemProbe probe;
    const installer::VersionNumbers version = probe.QueryVersion();
    const std::string name = glyphboard::win::ToUtf8(installer::OsVersionName(probe));
    std::printf("%d %lu %lu %lu |%s|\n", version.succeeded ? 1 : 0, static_cast<unsigned long>(version.major),
                static_cast<unsigned long>(version.minor), static_cast<unsigned long>(version.platformId),
                name.c_str());
    return 0;
}
