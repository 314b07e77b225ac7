#pragma once

#include <cstdint>
#include <string>

namespace installer {

// What the platform reports of its version query.
struct VersionNumbers {
    bool succeeded = false;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t platformId = 0;
};

// The raw facts the installer reads about the machine. The two buffer
// probes return the whole 255-character buffer as the platform left it
// (converted back to UTF-16, not yet cut at the NUL).
class SystemProbe {
public:
    virtual ~SystemProbe() = default;

    virtual VersionNumbers QueryVersion() = 0;
    virtual std::u16string WindowsFolderBuffer() = 0;
    virtual std::u16string UserNameBuffer() = 0;
    // The folder that holds the running installer, with no trailing
    // backslash except at a drive root ("Z:\").
    virtual std::u16string InstallerFolder() = 0;
};

// Desktop actions that report nothing back.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Opens the folder in the desktop's file manager and returns at once.
    virtual void ExploreFolder(const std::u16string& path) = 0;
    // Offers the system's shut-down or restart dialog, or does nothing where
    // there is none.
    virtual void ShowShutdownDialog() = 0;
};

} // namespace installer
