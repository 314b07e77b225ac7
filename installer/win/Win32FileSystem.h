#pragma once

#include "FileSystem.h"

#include <cstdint>

namespace installer::win {

// The installation's file operations through the wide Win32 calls, so that
// no path is narrowed to the ANSI code page. A copy is written to a
// temporary file in the destination's folder and moved into place, so a
// failure never leaves the destination half written.
class Win32FileSystem final : public FileSystem {
public:
    void CopyFileReplacing(const std::u16string& source, const std::u16string& destination) override;
    void CopyFileNew(const std::u16string& source, const std::u16string& destination) override;
    void CreateFolder(const std::u16string& path) override;
    void TestFolderExists(const std::u16string& path) override;
    bool Exists(const std::u16string& path) override;
    void TestReadable(const std::u16string& path) override;
    bool SameContents(const std::u16string& first, const std::u16string& second) override;
};

// How the installation treats a Win32 error code: a file held open or
// locked by another program, or a write-protected medium, is a permission
// failure; everything else is Other.
FailureKind FailureKindOf(std::uint32_t errorCode);

} // namespace installer::win
