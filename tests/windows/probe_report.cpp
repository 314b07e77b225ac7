// Prints what the version probe reads, for test_win32_probes: wine gives
// each program the Windows version its registry names for it, so the
// version rows need a program of their own.
//
//   <succeeded> <major> <minor> <platform id>

#include "Win32SystemProbe.h"

#include <cstdio>

int main()
{
    installer::win::Win32SystemProbe probe;
    const installer::VersionNumbers version = probe.QueryVersion();
    std::printf("%d %lu %lu %lu\n", version.succeeded ? 1 : 0, static_cast<unsigned long>(version.major),
                static_cast<unsigned long>(version.minor), static_cast<unsigned long>(version.platformId));
    return 0;
}
