#pragma once

#include <stdexcept>
#include <string>

namespace installer {

// The installation tells one kind of failure apart: a file held open or
// locked by another program, or a write-protected medium. Everything else
// (path not found, file not found, folder already there ...) is Other.
enum class FailureKind { Permission, Other };

class FileError : public std::runtime_error {
public:
    FileError(FailureKind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}
    FailureKind kind() const { return kind_; }

private:
    FailureKind kind_;
};

// File operations of the installation. Paths are Windows-form UTF-16 texts
// ("C:\WINDOWS\fonts\Vudida.ttf"); a platform layer maps them onto its own
// file system. Every operation either succeeds or throws FileError.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Copies a file, replacing the destination without asking.
    virtual void CopyFileReplacing(const std::u16string& source,
                                   const std::u16string& destination) = 0;
    // Creates one folder; fails (Other) when it exists already.
    virtual void CreateFolder(const std::u16string& path) = 0;
    // Fails (Other, path not found) unless the folder exists.
    virtual void TestFolderExists(const std::u16string& path) = 0;
    // True when both files can be read and hold the same bytes; never throws.
    virtual bool SameContents(const std::u16string& first,
                              const std::u16string& second) = 0;
    // Makes a font file just copied into the Windows fonts folder usable at
    // once, or throws FileError. Where copying the file is all the system
    // needs, this does nothing.
    virtual void RegisterFont(const std::u16string& fontFile) { static_cast<void>(fontFile); }
};

} // namespace installer
