// The installer's Win32 probes under wine.

#include "Check.h"
#include "SystemFacts.h"
#include "Win32SystemProbe.h"

#include <windows.h>

#include <string>

using installer::win::FolderOfProgram;
using installer::win::Win32SystemProbe;

namespace {

// The folder of this test program, where probe_report.exe lies beside it.
std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// Runs a program and returns what it printed.
std::string RunAndCapture(const std::wstring& program)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return "no pipe";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    std::wstring commandLine = L"\"" + program + L"\"";
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writeEnd);
    std::string output;
    if (started) {
        char block[256];
        DWORD got = 0;
        while (ReadFile(readEnd, block, sizeof block, &got, nullptr) && got > 0)
            output.append(block, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    } else {
        output = "not started";
    }
    CloseHandle(readEnd);
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
        output.pop_back();
    return output;
}

// Wine's per-program Windows version: HKCU\Software\Wine\AppDefaults\<program>, value Version.
void SetWineVersionFor(const wchar_t* program, const wchar_t* version)
{
    const std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + program;
    if (!*version) {
        RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
        return;
    }
    HKEY handle = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr);
    RegSetValueExW(handle, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

void VersionFollowsTheWindowsVersionWineReports()
{
    struct Row {
        const wchar_t* wineVersion; // empty: wine's default
        const char* report;         // succeeded major minor platform |name|
    };
    const Row rows[] = {
        {L"", "1 6 1 2 |Unknown Windows system|"},
        // Windows 8 and later report 6.2 to a program that does not declare
        // itself made for them.
        {L"win10", "1 6 2 2 |Unknown Windows system|"},
        {L"winxp", "1 5 1 2 |Windows XP (Whistler) |"},
        {L"win2k", "1 5 0 2 |Windows 2000 |"},
        {L"nt40", "1 4 0 2 |Windows NT 4 |"},
        {L"win98", "1 4 10 1 |Windows98 |"},
        {L"win95", "1 4 0 1 |Windows95 |"},
        {L"winme", "1 4 90 1 |Windows ME |"},
    };
    const std::wstring program = OwnFolder() + L"\\probe_report.exe";
    for (const Row& row : rows) {
        SetWineVersionFor(L"probe_report.exe", row.wineVersion);
        CHECK_EQ(RunAndCapture(program), std::string(row.report));
    }
    SetWineVersionFor(L"probe_report.exe", L"");
}

std::u16string FromWide(const std::wstring& text)
{
    return {text.begin(), text.end()};
}

// The two buffer probes hand back all 255 characters; what the call wrote
// ends at the first NUL, where the installer's probes cut it.
void BuffersHoldTheAnswerUpToTheNul()
{
    Win32SystemProbe probe;

    wchar_t folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    wchar_t user[256] = {};
    DWORD userSize = 256;
    GetUserNameW(user, &userSize);

    struct Row {
        std::u16string buffer;
        std::u16string probed;
        std::u16string expected;
    };
    const Row rows[] = {
        {probe.WindowsFolderBuffer(), installer::WindowsFolder(probe), FromWide(folder)},
        {probe.UserNameBuffer(), installer::CurrentUserName(probe), FromWide(user)},
    };
    for (const Row& row : rows) {
        CHECK(!row.expected.empty());
        CHECK_EQ(row.buffer.size(), std::size_t(255));
        CHECK_EQ(row.buffer.find(u'\0'), row.expected.size());
        CHECK(row.buffer.compare(0, row.expected.size(), row.expected) == 0);
        CHECK(row.probed == row.expected);
    }
}

void InstallerFolderHoldsThisProgram()
{
    Win32SystemProbe probe;
    const std::u16string folder = probe.InstallerFolder();
    CHECK(!folder.empty() && folder.back() != u'\\');
    const std::u16string self = folder + u"\\test_win32_probes.exe";
    CHECK(GetFileAttributesW(reinterpret_cast<const wchar_t*>(self.c_str())) != INVALID_FILE_ATTRIBUTES);

    struct Row {
        std::u16string path;
        std::u16string folder;
    };
    const Row rows[] = {
        {u"C:\\Setup\\Glyphinstall.exe", u"C:\\Setup"},
        {u"D:\\Glyphinstall.exe", u"D:\\"},
        {u"\\\\server\\share\\Glyphinstall.exe", u"\\\\server\\share"},
        {u"C:\\\u0628\u0631\u0627\u0645\u062C \u0627\u0644\u062A\u062B\u0628\u064A\u062A\\Glyphinstall.exe",
         u"C:\\\u0628\u0631\u0627\u0645\u062C \u0627\u0644\u062A\u062B\u0628\u064A\u062A"},
    };
    for (const Row& row : rows)
        CHECK(FolderOfProgram(row.path) == row.folder);
}

} // namespace

int main()
{
    return check::Run({
        {"VersionFollowsTheWindowsVersionWineReports", VersionFollowsTheWindowsVersionWineReports},
        {"BuffersHoldTheAnswerUpToTheNul", BuffersHoldTheAnswerUpToTheNul},
        {"InstallerFolderHoldsThisProgram", InstallerFolderHoldsThisProgram},
    });
}
