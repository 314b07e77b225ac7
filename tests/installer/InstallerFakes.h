#pragma once

// Fakes of the installer's platform interfaces for tests: an in-memory file
// system that reads paths the way Windows does and fails where told to, and
// desktop and probe stand-ins that record what they were asked.

#include "FileSystem.h"
#include "InstallationControls.h"
#include "SystemProbe.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace installer::testing {

class FakeFileSystem : public FileSystem {
public:
    // Contents by path, the path in the form Key() gives.
    using Files = std::map<std::u16string, std::string>;

    // Drive letters and names compare without regard to case, doubled
    // backslashes read as one and a trailing backslash means nothing.
    static std::u16string Key(std::u16string_view path)
    {
        std::u16string key;
        for (char16_t c : path) {
            if (c == u'\\' && !key.empty() && key.back() == u'\\')
                continue;
            key += (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
        }
        if (!key.empty() && key.back() == u'\\')
            key.pop_back();
        return key;
    }

    void AddFolder(std::u16string_view path) { folders.insert(Key(path)); }
    void AddFile(std::u16string_view path, std::string contents) { files[Key(path)] = std::move(contents); }

    // Makes operations touching the path fail with the kind, the next
    // `times` times (-1: always); onlyAsDestination limits it to copies onto it
    // and folder operations.
    void FailOn(std::u16string_view path, FailureKind kind, int times = -1, bool onlyAsDestination = false)
    {
        faults.push_back({Key(path), kind, times, onlyAsDestination});
    }

    void CopyFileReplacing(const std::u16string& source, const std::u16string& destination) override
    {
        Touch(source, false);
        Touch(destination, true);
        const auto found = files.find(Key(source));
        if (found == files.end())
            throw FileError(FailureKind::Other, "file not found");
        if (unreadable.contains(found->first))
            throw FileError(FailureKind::Denied, "unreadable");
        if (!folders.contains(Parent(Key(destination))))
            throw FileError(FailureKind::Other, "path not found");
        files[Key(destination)] = found->second;
    }

    void CopyFileNew(const std::u16string& source, const std::u16string& destination) override
    {
        if (files.contains(Key(destination)) || folders.contains(Key(destination)))
            throw FileError(FailureKind::Other, "file exists");
        CopyFileReplacing(source, destination);
    }

    void CreateFolder(const std::u16string& path) override
    {
        Touch(path, true);
        const std::u16string key = Key(path);
        if (folders.contains(key))
            throw FileError(FailureKind::Other, "folder exists");
        const std::u16string parent = Parent(key);
        if (parent.size() > 2 && !folders.contains(parent)) // "c:" always exists
            throw FileError(FailureKind::Other, "path not found");
        folders.insert(key);
    }

    void TestFolderExists(const std::u16string& path) override
    {
        Touch(path, true);
        if (!folders.contains(Key(path)))
            throw FileError(FailureKind::Other, "path not found");
    }

    bool Exists(const std::u16string& path) override
    {
        return files.contains(Key(path)) || folders.contains(Key(path));
    }

    void TestReadable(const std::u16string& path) override
    {
        Touch(path, false);
        if (unreadable.contains(Key(path)))
            throw FileError(FailureKind::Denied, "unreadable");
        if (!files.contains(Key(path)))
            throw FileError(FailureKind::NotFound, "file not found");
    }

    bool SameContents(const std::u16string& first, const std::u16string& second) override
    {
        const auto a = files.find(Key(first));
        const auto b = files.find(Key(second));
        return a != files.end() && b != files.end() && a->second == b->second && !unreadable.contains(a->first)
               && !unreadable.contains(b->first);
    }

    bool LockInstallation() override { return !lockedElsewhere; }

    // Records the fonts registered, in order; a font must be in place first.
    void RegisterFont(const std::u16string& fontFile) override
    {
        const std::u16string key = Key(fontFile);
        if (const auto fault = registrationFaults.find(key); fault != registrationFaults.end())
            throw FileError(fault->second, "injected registration failure");
        if (!files.contains(key))
            throw FileError(FailureKind::NotFound, "font file not found");
        registered.push_back(key);
    }

    // Makes every registration of the font fail with the kind.
    void FailRegistration(std::u16string_view path, FailureKind kind) { registrationFaults[Key(path)] = kind; }

    Files files;
    std::vector<std::u16string> registered;
    std::set<std::u16string> folders;
    std::set<std::u16string> unreadable; // keys of files that exist but cannot be read
    bool lockedElsewhere = false;        // another installer holds the lock

private:
    struct Fault {
        std::u16string path;
        FailureKind kind;
        int times;
        bool onlyAsDestination;
    };

    static std::u16string Parent(const std::u16string& key)
    {
        const auto slash = key.rfind(u'\\');
        return slash == std::u16string::npos ? std::u16string() : key.substr(0, slash);
    }

    void Touch(const std::u16string& path, bool asDestination)
    {
        for (Fault& fault : faults) {
            if (fault.times == 0 || fault.path != Key(path) || (fault.onlyAsDestination && !asDestination))
                continue;
            if (fault.times > 0)
                --fault.times;
            throw FileError(fault.kind, "injected failure");
        }
    }

    std::vector<Fault> faults;
    std::map<std::u16string, FailureKind> registrationFaults;
};

class RecordingDesktop : public Desktop {
public:
    void ExploreFolder(const std::u16string& path) override { explored.push_back(path); }
    void ShowShutdownDialog() override { ++shutdownDialogs; }

    std::vector<std::u16string> explored;
    int shutdownDialogs = 0;
};

class FixedProbe : public SystemProbe {
public:
    VersionNumbers version{true, 5, 1, 2};
    std::u16string windowsFolder = u"C:\\WINDOWS";
    std::u16string userName = u"student";
    std::u16string installerFolder = u"E:\\setup";

    VersionNumbers QueryVersion() override { return version; }
    std::u16string WindowsFolderBuffer() override { return Buffer(windowsFolder); }
    std::u16string UserNameBuffer() override { return Buffer(userName); }
    std::u16string InstallerFolder() override { return installerFolder; }

    // What a platform call leaves in the buffer of 255 spaces.
    static std::u16string Buffer(const std::u16string& written)
    {
        std::u16string buffer(255, u' ');
        buffer.replace(0, written.size() + 1, written + u'\0');
        return buffer;
    }
};

} // namespace installer::testing
