#pragma once

#include "AtomicFile.h"
#include "FileSystem.h"
#include "LinuxPaths.h"

#include <filesystem>
#include <functional>

namespace installer::xdg {

// The installation's file operations on Linux, through the path mapping.
// Every copy is atomic (a temporary file renamed into place) and gets
// ordinary permissions. Beyond the plain copies it does what makes the files
// work here:
// - the templates folder is made when LibreOffice's user profile exists but
//   has no template folder yet, as on a profile where no template was saved;
// - Normal.dot copied into the templates folder makes the product's template
//   the one new Writer text documents start from, in Writer's own format
//   (.ott) when the installer's folder holds it beside the Word template;
// - the user's fonts folder is made when a font is first copied into it, the
//   "Traditional Arabic" alias that the installer's folder carries goes into
//   the user's fontconfig folder with the fonts, and the font cache is
//   refreshed after every font so that the palette's fonts can be used
//   without logging in again;
// - a program named "X.exe" that the installer's folder holds as plain "X"
//   is installed as "X".
class LinuxFileSystem : public FileSystem {
public:
    using FontCacheRefresh = std::function<void(const std::filesystem::path& fontsFolder)>;

    explicit LinuxFileSystem(LinuxPaths paths, FontCacheRefresh refresh = RefreshFontCache,
                             BlockWriter write = WriteBlock);
    ~LinuxFileSystem() override;

    void CopyFileReplacing(const std::u16string& source, const std::u16string& destination) override;
    void CopyFileNew(const std::u16string& source, const std::u16string& destination) override;
    void CreateFolder(const std::u16string& path) override;
    void TestFolderExists(const std::u16string& path) override;
    bool Exists(const std::u16string& path) override;
    void TestReadable(const std::u16string& path) override;
    bool SameContents(const std::u16string& first, const std::u16string& second) override;
    // An advisory lock (flock) on the lock file; the kernel drops it when
    // the installer ends, however it ends.
    bool LockInstallation() override;
    void UnlockInstallation() override;

    // Runs fc-cache on the folder and waits for it; failure is ignored.
    static void RefreshFontCache(const std::filesystem::path& fontsFolder);

    // The font alias file the installer's folder carries.
    static constexpr const char* FontAliasFile = "65-traditional-arabic.conf";

private:
    std::filesystem::path Resolve(const std::u16string& windowsPath) const;
    void Copy(const std::u16string& source, const std::u16string& destination, Placement placement);
    void InstallFontAlias(const std::filesystem::path& sourceFolder);

    LinuxPaths paths_;
    FontCacheRefresh refresh_;
    BlockWriter write_;
    int lock_ = -1;
};

} // namespace installer::xdg
