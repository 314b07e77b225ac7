// The installation's file operations under wine, in a scratch folder.

#include "Check.h"
#include "Win32FileSystem.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

using installer::FailureKind;
using installer::FileError;
using installer::win::FailureKindOf;
using installer::win::Win32FileSystem;

namespace {

const wchar_t* Wide(const std::u16string& text)
{
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

// A fresh folder under the temporary folder, removed with what it holds.
class ScratchFolder {
public:
    ScratchFolder()
    {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        std::wstring wide = std::wstring(temp) + L"glyphboard-fs-" + std::to_wstring(GetCurrentProcessId());
        path_.assign(wide.begin(), wide.end());
        CreateDirectoryW(Wide(path_), nullptr);
    }
    ~ScratchFolder()
    {
        std::wstring tree(Wide(path_));
        tree.push_back(L'\0'); // a double-NUL-terminated list of one
        SHFILEOPSTRUCTW remove = {};
        remove.wFunc = FO_DELETE;
        remove.pFrom = tree.c_str();
        remove.fFlags = FOF_NO_UI;
        SHFileOperationW(&remove);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::u16string operator/(const std::u16string& name) const { return path_ + u"\\" + name; }

private:
    std::u16string path_;
};

void Write(const std::u16string& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string Read(const std::u16string& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    char block[4096];
    DWORD got = 0;
    while (ReadFile(file, block, sizeof block, &got, nullptr) && got > 0)
        bytes.append(block, got);
    CloseHandle(file);
    return bytes;
}

// Copies replace the destination; names with spaces and Arabic letters
// pass unchanged, a folder path may end in a backslash, and a doubled
// backslash (a folder ending in one, joined with "\name") reads as one.
void CopyAndCreateFolderWork()
{
    ScratchFolder scratch;
    Win32FileSystem files;

    const std::u16string folder = scratch / u"Nurvel\\";
    files.CreateFolder(folder);
    files.TestFolderExists(folder);

    const std::u16string source = scratch / u"VovediVoda.dot";
    const std::u16string destination = folder + u"\\\u0627\u0644\u0642\u0627\u0644\u0628 Normal.dot";
    Write(source, std::string("template\0bytes", 14));
    Write(destination, "the user's own, longer template");
    files.CopyFileReplacing(source, destination);
    CHECK_EQ(Read(destination), std::string("template\0bytes", 14));
    CHECK(files.SameContents(source, destination));
    CHECK_EQ(Read(folder + u"\u0627\u0644\u0642\u0627\u0644\u0628 Normal.dot"), std::string("template\0bytes", 14));
}

// The names in a folder, to see that no temporary copy stays behind.
std::vector<std::u16string> Names(const std::u16string& folder)
{
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Wide(folder + u"\\*"), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name(found.cFileName);
        if (name != L"." && name != L"..")
            names.emplace_back(name.begin(), name.end());
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// A copy from a read-only medium is not read-only, and can be replaced by
// the next installation; a new name never replaces anything; a failed copy
// leaves the destination and no temporary file.
void CopiesAreOrdinaryFilesMovedIntoPlace()
{
    ScratchFolder scratch;
    Win32FileSystem files;
    files.CreateFolder(scratch / u"medium");
    files.CreateFolder(scratch / u"templates");
    const std::u16string source = scratch / u"medium\\VovediVoda.dot";
    const std::u16string normal = scratch / u"templates\\Normal.dot";
    const std::u16string backup = scratch / u"templates\\OldNormal.dot";
    Write(source, "template");
    SetFileAttributesW(Wide(source), FILE_ATTRIBUTE_READONLY);
    Write(normal, "user's");
    Write(backup, "user's earlier");

    files.CopyFileReplacing(source, normal);
    CHECK(!(GetFileAttributesW(Wide(normal)) & FILE_ATTRIBUTE_READONLY));
    files.CopyFileReplacing(source, normal);
    CHECK_EQ(Read(normal), std::string("template"));

    CHECK(check::Catch<FileError>([&] { files.CopyFileNew(normal, backup); }).has_value());
    CHECK_EQ(Read(backup), std::string("user's earlier"));
    files.CopyFileNew(normal, scratch / u"templates\\OldNormal2.dot");
    CHECK_EQ(Read(scratch / u"templates\\OldNormal2.dot"), std::string("template"));

    CHECK(check::Catch<FileError>([&] {
              files.CopyFileReplacing(scratch / u"medium\\missing", normal);
          }).has_value());
    CHECK_EQ(Read(normal), std::string("template"));
    CHECK(Names(scratch / u"templates")
          == (std::vector<std::u16string>{u"Normal.dot", u"OldNormal.dot", u"OldNormal2.dot"}));
    SetFileAttributesW(Wide(source), FILE_ATTRIBUTE_NORMAL);

    CHECK(files.Exists(normal));
    CHECK(!files.Exists(scratch / u"templates\\none.dot"));
    files.TestReadable(normal);
    CHECK(check::Catch<FileError>([&] { files.TestReadable(scratch / u"templates\\none.dot"); }).has_value());
}

void SameContentsComparesBytes()
{
    ScratchFolder scratch;
    Win32FileSystem files;
    const std::string big(200000, 'x');
    Write(scratch / u"a", big);
    Write(scratch / u"b", big);
    Write(scratch / u"c", big.substr(1) + "y");
    Write(scratch / u"d", big + "x");
    CHECK(files.SameContents(scratch / u"a", scratch / u"b"));
    CHECK(!files.SameContents(scratch / u"a", scratch / u"c"));
    CHECK(!files.SameContents(scratch / u"a", scratch / u"d"));
    CHECK(!files.SameContents(scratch / u"a", scratch / u"missing"));
}

// A destination that another program holds open without letting others
// write is the case of Word holding Normal.dot: a permission failure.
void HeldDestinationIsAPermissionFailure()
{
    ScratchFolder scratch;
    Win32FileSystem files;
    const std::u16string source = scratch / u"VovediVoda.dot";
    const std::u16string held = scratch / u"Normal.dot";
    Write(source, "new");
    Write(held, "old");

    HANDLE word = CreateFileW(Wide(held), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    CHECK(word != INVALID_HANDLE_VALUE);
    const auto error = check::Catch<FileError>([&] { files.CopyFileReplacing(source, held); });
    CloseHandle(word);

    CHECK(error.has_value());
    if (error) {
        CHECK(error->kind() == FailureKind::Permission);
        CHECK(std::string(error->what()).find("Normal.dot") != std::string::npos);
    }
    CHECK_EQ(Read(held), std::string("old"));
}

void MissingThingsAndExistingFoldersAreOtherFailures()
{
    ScratchFolder scratch;
    Win32FileSystem files;
    Write(scratch / u"present.ttf", "font");
    files.CreateFolder(scratch / u"fonts");

    struct Row {
        const char* what;
        void (*operation)(Win32FileSystem&, const ScratchFolder&);
    };
    const Row rows[] = {
        {"copy from a missing source",
         [](Win32FileSystem& f, const ScratchFolder& s) {
             f.CopyFileReplacing(s / u"Vudida.ttf", s / u"fonts\\Vudida.ttf");
         }},
        {"copy into a missing folder",
         [](Win32FileSystem& f, const ScratchFolder& s) {
             f.CopyFileReplacing(s / u"present.ttf", s / u"none\\present.ttf");
         }},
        {"create an existing folder",
         [](Win32FileSystem& f, const ScratchFolder& s) { f.CreateFolder(s / u"fonts"); }},
        {"create inside a missing folder",
         [](Win32FileSystem& f, const ScratchFolder& s) { f.CreateFolder(s / u"none\\Nurvel"); }},
        {"test a missing folder",
         [](Win32FileSystem& f, const ScratchFolder& s) { f.TestFolderExists(s / u"Templates\\"); }},
        {"test a file as a folder",
         [](Win32FileSystem& f, const ScratchFolder& s) { f.TestFolderExists(s / u"present.ttf"); }},
    };
    for (const Row& row : rows) {
        check::CurrentCase() = std::string("MissingThingsAndExistingFoldersAreOtherFailures: ") + row.what;
        const auto error = check::Catch<FileError>([&] { row.operation(files, scratch); });
        CHECK(error.has_value());
        if (error)
            CHECK(error->kind() == FailureKind::Other);
    }
    check::CurrentCase() = "MissingThingsAndExistingFoldersAreOtherFailures";
}

void ErrorCodesMapToFailureKinds()
{
    struct Row {
        std::uint32_t code;
        FailureKind kind;
    };
    const Row rows[] = {
        {ERROR_SHARING_VIOLATION, FailureKind::Permission},
        {ERROR_ACCESS_DENIED, FailureKind::Permission},
        {ERROR_LOCK_VIOLATION, FailureKind::Permission},
        {ERROR_WRITE_PROTECT, FailureKind::Permission},
        {ERROR_FILE_NOT_FOUND, FailureKind::Other},
        {ERROR_PATH_NOT_FOUND, FailureKind::Other},
        {ERROR_ALREADY_EXISTS, FailureKind::Other},
        {ERROR_DISK_FULL, FailureKind::Other},
        {ERROR_NOT_READY, FailureKind::Other},
    };
    for (const Row& row : rows) {
        if (FailureKindOf(row.code) != row.kind)
            check::Report(__FILE__, __LINE__, "wrong kind for error " + std::to_string(row.code));
    }
}

} // namespace

int main()
{
    return check::Run({
        {"CopyAndCreateFolderWork", CopyAndCreateFolderWork},
        {"SameContentsComparesBytes", SameContentsComparesBytes},
        {"CopiesAreOrdinaryFilesMovedIntoPlace", CopiesAreOrdinaryFilesMovedIntoPlace},
        {"HeldDestinationIsAPermissionFailure", HeldDestinationIsAPermissionFailure},
        {"MissingThingsAndExistingFoldersAreOtherFailures", MissingThingsAndExistingFoldersAreOtherFailures},
        {"ErrorCodesMapToFailureKinds", ErrorCodesMapToFailureKinds},
    });
}
