#include "Win32FileSystem.h"

#include "WinText.h"

#include <windows.h>

#include <algorithm>
#include <vector>
#include <string>

namespace installer::win {

using glyphboard::win::ToUtf8;
using glyphboard::win::ToWide;

namespace {

struct ErrorDescription {
    DWORD code;
    FailureKind kind;
    const char* text;
};

constexpr ErrorDescription kErrors[] = {
    {ERROR_SHARING_VIOLATION, FailureKind::Permission, "the file is in use by another program"},
    {ERROR_ACCESS_DENIED, FailureKind::Permission, "access is denied"},
    {ERROR_LOCK_VIOLATION, FailureKind::Permission, "the file is locked by another program"},
    {ERROR_WRITE_PROTECT, FailureKind::Permission, "the medium is write-protected"},
    {ERROR_FILE_NOT_FOUND, FailureKind::Other, "file not found"},
    {ERROR_PATH_NOT_FOUND, FailureKind::Other, "path not found"},
    {ERROR_ALREADY_EXISTS, FailureKind::Other, "it exists already"},
    {ERROR_FILE_EXISTS, FailureKind::Other, "it exists already"},
    {ERROR_DISK_FULL, FailureKind::Other, "the disk is full"},
    {ERROR_INVALID_NAME, FailureKind::Other, "the name is not valid"},
};

const ErrorDescription* Find(DWORD code)
{
    for (const ErrorDescription& error : kErrors) {
        if (error.code == code)
            return &error;
    }
    return nullptr;
}

[[noreturn]] void Fail(const std::string& what, DWORD code)
{
    const ErrorDescription* known = Find(code);
    const std::string reason = known ? known->text : "system error";
    throw FileError(FailureKindOf(code), what + ": " + reason + " (error " + std::to_string(code) + ")");
}

std::string Quoted(const std::u16string& path)
{
    return "\"" + ToUtf8(path) + "\"";
}

// A file opened for reading, closed on destruction.
class ReadHandle {
public:
    explicit ReadHandle(const std::u16string& path)
        : handle_(CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ReadHandle(const ReadHandle&) = delete;
    ReadHandle& operator=(const ReadHandle&) = delete;
    ~ReadHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

    // Fills `block` as far as the file allows; false on a read error.
    bool Read(std::vector<char>& block, DWORD& count)
    {
        count = 0;
        while (count < block.size()) {
            DWORD got = 0;
            if (!ReadFile(handle_, block.data() + count, static_cast<DWORD>(block.size()) - count, &got, nullptr))
                return false;
            if (got == 0)
                break;
            count += got;
        }
        return true;
    }

private:
    HANDLE handle_;
};

// The folder part of a path: everything before its last backslash.
std::u16string FolderOf(const std::u16string& path)
{
    const std::size_t slash = path.find_last_of(u'\\');
    return slash == std::u16string::npos ? std::u16string(u".") : path.substr(0, slash + 1);
}

// Copies the source to a new temporary file in the destination's folder,
// flushed to disk, with no attribute of the source's (a file from a
// read-only medium is not read-only here); returns its path. The caller
// moves it into place or deletes it.
std::wstring CopyToTemporary(const std::u16string& source, const std::u16string& destination)
{
    const std::string what = "cannot copy " + Quoted(source) + " to " + Quoted(destination);
    wchar_t temporary[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(ToWide(FolderOf(destination)).c_str(), L"gbi", 0, temporary))
        Fail(what, GetLastError());
    const auto failAndRemove = [&](DWORD code) {
        DeleteFileW(temporary);
        Fail(what, code);
    };
    if (!CopyFileW(ToWide(source).c_str(), temporary, FALSE))
        failAndRemove(GetLastError());
    if (!SetFileAttributesW(temporary, FILE_ATTRIBUTE_NORMAL))
        failAndRemove(GetLastError());
    HANDLE file = CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        failAndRemove(GetLastError());
    const bool flushed = FlushFileBuffers(file);
    const DWORD code = GetLastError();
    CloseHandle(file);
    if (!flushed)
        failAndRemove(code);
    return temporary;
}

// Moves the temporary copy onto the destination, replacing it or only where
// nothing has that name; on failure the copy is deleted and the destination
// is untouched.
void MoveIntoPlace(const std::wstring& temporary, const std::u16string& source, const std::u16string& destination,
                   DWORD flags)
{
    if (!MoveFileExW(temporary.c_str(), ToWide(destination).c_str(), flags | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        DeleteFileW(temporary.c_str());
        Fail("cannot copy " + Quoted(source) + " to " + Quoted(destination), code);
    }
}

} // namespace

FailureKind FailureKindOf(std::uint32_t errorCode)
{
    const ErrorDescription* known = Find(errorCode);
    return known ? known->kind : FailureKind::Other;
}

void Win32FileSystem::CopyFileReplacing(const std::u16string& source, const std::u16string& destination)
{
    const std::wstring temporary = CopyToTemporary(source, destination);
    // A read-only file that an earlier installation left would refuse to be
    // replaced; the installed files are the installer's own to write.
    const DWORD attributes = GetFileAttributesW(ToWide(destination).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesW(ToWide(destination).c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    MoveIntoPlace(temporary, source, destination, MOVEFILE_REPLACE_EXISTING);
}

void Win32FileSystem::CopyFileNew(const std::u16string& source, const std::u16string& destination)
{
    if (GetFileAttributesW(ToWide(destination).c_str()) != INVALID_FILE_ATTRIBUTES)
        Fail("cannot copy " + Quoted(source) + " to " + Quoted(destination), ERROR_FILE_EXISTS);
    MoveIntoPlace(CopyToTemporary(source, destination), source, destination, 0);
}

bool Win32FileSystem::Exists(const std::u16string& path)
{
    return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Win32FileSystem::TestReadable(const std::u16string& path)
{
    ReadHandle file(path);
    std::vector<char> block(1);
    DWORD count = 0;
    if (!file.IsOpen() || !file.Read(block, count))
        Fail("cannot read " + Quoted(path), GetLastError());
}

void Win32FileSystem::CreateFolder(const std::u16string& path)
{
    if (!CreateDirectoryW(ToWide(path).c_str(), nullptr))
        Fail("cannot create the folder " + Quoted(path), GetLastError());
}

void Win32FileSystem::TestFolderExists(const std::u16string& path)
{
    const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        Fail("cannot find the folder " + Quoted(path), GetLastError());
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        Fail("not a folder: " + Quoted(path), ERROR_PATH_NOT_FOUND);
}

bool Win32FileSystem::SameContents(const std::u16string& first, const std::u16string& second)
{
    ReadHandle a(first);
    ReadHandle b(second);
    if (!a.IsOpen() || !b.IsOpen())
        return false;
    std::vector<char> blockA(65536);
    std::vector<char> blockB(65536);
    for (;;) {
        DWORD countA = 0;
        DWORD countB = 0;
        if (!a.Read(blockA, countA) || !b.Read(blockB, countB))
            return false;
        if (countA != countB || !std::equal(blockA.begin(), blockA.begin() + countA, blockB.begin()))
            return false;
        if (countA < blockA.size())
            return true;
    }
}

} // namespace installer::win
