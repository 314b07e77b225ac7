#pragma once

#include "SystemProbe.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace installer {

// The folder and user-name probes hand the platform a buffer of this many
// spaces and cut the result at its first NUL.
inline constexpr std::size_t kProbeBufferLength = 255;

// The version name shown to the user and compared by the installation.
// Every name but "Unknown Windows system" ends with one space.
std::u16string OsVersionName(const VersionNumbers& version);

// Cuts the text before its first NUL within the first 255 characters, stores
// the result back into the caller's text and returns it too.
std::u16string& TrimAtNul(std::u16string& text);

// True only for the exact name "Windows ME " (case and trailing space count).
bool IsWindowsMe(std::u16string_view versionName);

// The word processor's user templates folder; always ends with a backslash.
std::u16string TemplatesFolder(std::u16string_view windowsFolder, std::u16string_view userName,
                               std::u16string_view versionName);

// The three probes the wizard runs at load. None of them reports a failure:
// a failed buffer query comes back as the untouched buffer of spaces.
std::u16string CurrentUserName(SystemProbe& probe);
std::u16string OsVersionName(SystemProbe& probe);
std::u16string WindowsFolder(SystemProbe& probe);

} // namespace installer
