#pragma once

#include "FileSystem.h"
#include "LinuxPaths.h"

#include <filesystem>
#include <functional>

namespace installer::xdg {

// The installation's file operations on Linux, through the path mapping.
// The user's fonts folder is created when a font is first copied into it,
// and its font cache is refreshed after every font copied so that the
// palette's fonts can be used without logging in again. A program named
// "X.exe" that the installer's folder holds as plain "X" is installed as "X".
class LinuxFileSystem : public FileSystem {
public:
    using FontCacheRefresh = std::function<void(const std::filesystem::path& fontsFolder)>;

    explicit LinuxFileSystem(LinuxPaths paths, FontCacheRefresh refresh = RefreshFontCache);

    void CopyFileReplacing(const std::u16string& source, const std::u16string& destination) override;
    void CreateFolder(const std::u16string& path) override;
    void TestFolderExists(const std::u16string& path) override;
    bool SameContents(const std::u16string& first, const std::u16string& second) override;

    // Runs fc-cache on the folder and waits for it; failure is ignored.
    static void RefreshFontCache(const std::filesystem::path& fontsFolder);

private:
    std::filesystem::path Resolve(const std::u16string& windowsPath) const;

    LinuxPaths paths_;
    FontCacheRefresh refresh_;
};

} // namespace installer::xdg
