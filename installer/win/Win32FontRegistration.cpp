#include "TrueTypeNames.h"
#include "Win32FileSystem.h"

#include "WinText.h"

#include <windows.h>

#include <string>

namespace installer::win {

using glyphboard::win::ToUtf8;
using glyphboard::win::ToWide;

namespace {

[[noreturn]] void Fail(const std::u16string& fontFile, const std::string& reason, DWORD code)
{
    throw FileError(FailureKindOf(code), "cannot register the font \"" + ToUtf8(fontFile) + "\": " + reason
                                             + " (error " + std::to_string(code) + ")");
}

std::string ReadWhole(const std::u16string& path, DWORD& error)
{
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return {};
    }
    std::string bytes;
    char block[65536];
    DWORD got = 0;
    while (ReadFile(file, block, sizeof block, &got, nullptr) && got > 0)
        bytes.append(block, got);
    error = ERROR_SUCCESS;
    CloseHandle(file);
    return bytes;
}

std::u16string FileName(const std::u16string& path)
{
    const std::size_t separator = path.find_last_of(u"\\/");
    return separator == std::u16string::npos ? path : path.substr(separator + 1);
}

} // namespace

void Win32FileSystem::RegisterFont(const std::u16string& fontFile)
{
    DWORD error = ERROR_SUCCESS;
    const std::string bytes = ReadWhole(fontFile, error);
    if (error != ERROR_SUCCESS)
        Fail(fontFile, "cannot read it", error);
    const std::optional<std::u16string> fullName = TrueTypeFullName(bytes);
    if (!fullName || fullName->empty())
        Fail(fontFile, "it is not a TrueType font with a name", ERROR_INVALID_DATA);

    // Loaded first: a file the system cannot use is not entered in the list.
    if (AddFontResourceW(ToWide(fontFile).c_str()) == 0)
        Fail(fontFile, "the system cannot load it", ERROR_INVALID_DATA);

    // The font lies in the Windows fonts folder, so its file name alone is
    // the entry's data, as the system's own entries have it.
    HKEY fonts = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kFontsRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                     &fonts, nullptr);
    if (status == ERROR_SUCCESS) {
        const std::wstring value = ToWide(*fullName + u" (TrueType)");
        const std::wstring data = ToWide(FileName(fontFile));
        status = RegSetValueExW(fonts, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                                static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(fonts);
    }
    if (status != ERROR_SUCCESS)
        Fail(fontFile, "cannot enter it in the registry", static_cast<DWORD>(status));

    // Running programs (the word processor among them) reread their font
    // lists; a window that does not answer within a second is not waited for.
    SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 1000, nullptr);
}

} // namespace installer::win
