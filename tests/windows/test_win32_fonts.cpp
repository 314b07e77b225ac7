// Reading a font's name and registering an installed font, under wine.

#include "Check.h"
#include "FontFamilies.h"
#include "TrueTypeNames.h"
#include "Win32FileSystem.h"
#include "WinText.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using installer::FailureKind;
using installer::FileError;
using installer::win::TrueTypeFullName;
using installer::win::Win32FileSystem;

namespace {

struct NameRecord {
    std::uint16_t platform, encoding, language, id;
    std::u16string text;
};

void Put16(std::string& bytes, std::uint32_t value)
{
    bytes += char(value >> 8);
    bytes += char(value & 0xff);
}

void Put32(std::string& bytes, std::uint32_t value)
{
    Put16(bytes, value >> 16);
    Put16(bytes, value & 0xffff);
}

// A font file of one table, `name`, holding the records.
std::string FontWithNames(const std::vector<NameRecord>& records)
{
    std::string storage;
    std::string table;
    Put16(table, 0);
    Put16(table, static_cast<std::uint32_t>(records.size()));
    Put16(table, static_cast<std::uint32_t>(6 + 12 * records.size()));
    for (const NameRecord& record : records) {
        Put16(table, record.platform);
        Put16(table, record.encoding);
        Put16(table, record.language);
        Put16(table, record.id);
        Put16(table, static_cast<std::uint32_t>(2 * record.text.size()));
        Put16(table, static_cast<std::uint32_t>(storage.size()));
        for (char16_t unit : record.text)
            Put16(storage, unit);
    }
    table += storage;

    std::string font;
    Put32(font, 0x00010000);
    Put16(font, 1); // one table
    Put16(font, 16);
    Put16(font, 0);
    Put16(font, 0);
    font += "name";
    Put32(font, 0); // checksum, not read
    Put32(font, 12 + 16);
    Put32(font, static_cast<std::uint32_t>(table.size()));
    return font + table;
}

std::string Utf8(const std::optional<std::u16string>& name)
{
    return name ? glyphboard::win::ToUtf8(*name) : "(none)";
}

void FullNameFromTheNamingTable()
{
    const NameRecord macFull{1, 0, 0, 4, u"Mac name"};
    const NameRecord family{3, 1, 0x409, 1, u"Al-DizaDorvan"};
    const NameRecord english{3, 1, 0x409, 4, u"NurvelSans Bold"};
    const NameRecord arabic{3, 1, 0x401, 4, u"نورفل"};
    const struct {
        const char* what;
        std::string font;
        const char* expected;
    } cases[] = {
        {"American English preferred", FontWithNames({macFull, arabic, family, english}), "NurvelSans Bold"},
        {"another language when there is no English", FontWithNames({family, arabic}), "نورفل"},
        {"no Windows full name", FontWithNames({macFull, family}), "(none)"},
        {"cut short", FontWithNames({english}).substr(0, 40), "(none)"},
        {"not a font", "PLACEHOLDER - not a working file.", "(none)"},
        {"empty", "", "(none)"},
    };
    for (const auto& c : cases) {
        check::CurrentCase() = std::string("full name: ") + c.what;
        CHECK_EQ(Utf8(TrueTypeFullName(c.font)), std::string(c.expected));
    }
}

std::wstring FontsValue(const wchar_t* name)
{
    wchar_t data[MAX_PATH] = {};
    DWORD size = sizeof data;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, installer::win::kFontsRegistryKey, name, RRF_RT_REG_SZ, nullptr, data,
                     &size)
        != ERROR_SUCCESS)
        return L"(no value)";
    return data;
}

std::u16string TempPath(const wchar_t* name)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return glyphboard::win::FromWide(std::wstring(temp) + name);
}

// DejaVu Sans Mono, the host's, given on the command line.
std::wstring hostFont;

// A real font, copied in under a name of its own: registered, it is in the
// machine's font list and GDI finds its family.
void RegistersARealFont()
{
    const std::u16string font = TempPath(L"glyphboard-test-font.ttf");
    CHECK(CopyFileW(hostFont.c_str(), glyphboard::win::ToWide(font).c_str(), FALSE));
    Win32FileSystem files;
    files.RegisterFont(font);
    CHECK_EQ(glyphboard::win::ToUtf8(FontsValue(L"DejaVu Sans Mono (TrueType)")),
             std::string("glyphboard-test-font.ttf"));
    CHECK(testing_win::KnowsFamily(L"DejaVu Sans Mono"));
    RemoveFontResourceW(glyphboard::win::ToWide(font).c_str());
    DeleteFileW(glyphboard::win::ToWide(font).c_str());
}

// Files that cannot be fonts fail as an ordinary failure and leave the
// font list alone.
void RefusesWhatIsNoFont()
{
    const std::u16string placeholder = TempPath(L"glyphboard-placeholder.ttf");
    HANDLE file = CreateFileW(glyphboard::win::ToWide(placeholder).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const char text[] = "PLACEHOLDER - not a working file.";
    DWORD written = 0;
    WriteFile(file, text, sizeof text - 1, &written, nullptr);
    CloseHandle(file);

    Win32FileSystem files;
    for (const std::u16string& path : {placeholder, TempPath(L"glyphboard-missing.ttf")}) {
        const auto error = check::Catch<FileError>([&] { files.RegisterFont(path); });
        CHECK(error.has_value());
        CHECK(error && error->kind() == FailureKind::Other);
    }
    CHECK_EQ(glyphboard::win::ToUtf8(FontsValue(L"PLACEHOLDER (TrueType)")), std::string("(no value)"));
    DeleteFileW(glyphboard::win::ToWide(placeholder).c_str());
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: test_win32_fonts HOST-FONT.ttf (DejaVu Sans Mono)\n");
        return 2;
    }
    hostFont = argv[1];
    return check::Run({
        {"the full name from the naming table", FullNameFromTheNamingTable},
        {"a real font is registered", RegistersARealFont},
        {"what is no font is refused", RefusesWhatIsNoFont},
    });
}
