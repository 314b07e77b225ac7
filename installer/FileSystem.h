#pragma once

#include <stdexcept>
#include <string>

namespace installer {

// How a file operation failed. Permission is a file held open or locked by
// another program, or a write-protected medium where that platform cannot
// tell the two apart: the installation asks the user to close the word
// processor. The other kinds only choose the words of the message.
enum class FailureKind {
    Permission,
    Other,    // anything not told apart below
    Denied,   // no right to read or write it, or a read-only medium
    NoSpace,  // the disk (or the user's quota) is full
    NotFound, // the file or a folder on its path is missing, or is no folder
};

class FileError : public std::runtime_error {
public:
    FileError(FailureKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) { }
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

    // Copies a file, replacing the destination without asking. The copy is
    // written beside the destination under another name and renamed into
    // place, so that a failure leaves the destination as it was; the copy
    // gets the permissions of a file the user made, not the source's.
    virtual void CopyFileReplacing(const std::u16string& source, const std::u16string& destination) = 0;
    // Copies a file like CopyFileReplacing, but to a name that must not
    // exist yet: fails, changing nothing, when something exists there.
    virtual void CopyFileNew(const std::u16string& source, const std::u16string& destination) = 0;
    // Creates one folder; fails (Other) when it exists already.
    virtual void CreateFolder(const std::u16string& path) = 0;
    // Fails (NotFound) unless the folder exists.
    virtual void TestFolderExists(const std::u16string& path) = 0;
    // True when anything exists under that name, readable or not; never throws.
    virtual bool Exists(const std::u16string& path) = 0;
    // Fails unless the file can be opened and read.
    virtual void TestReadable(const std::u16string& path) = 0;
    // True when both files can be read and hold the same bytes; never throws.
    virtual bool SameContents(const std::u16string& first, const std::u16string& second) = 0;
    // Makes a font file just copied into the Windows fonts folder usable at
    // once, or throws FileError. Where copying the file is all the system
    // needs, this does nothing.
    virtual void RegisterFont(const std::u16string& fontFile) { static_cast<void>(fontFile); }

    // Takes the user's installation lock, so that two installers never
    // write the same files at once; false when another installer holds it.
    // The lock is held until UnlockInstallation.
    virtual bool LockInstallation() { return true; }
    virtual void UnlockInstallation() { }
};

} // namespace installer
