// The installer's desktop actions under wine. Neither can be watched here
// (Explorer and the shut-down dialog are interactive), so this checks how
// the dialog is bound: shell32 export 60, imported by number.

#include "Check.h"
#include "Win32Desktop.h"

#include <windows.h>

#include <string>

namespace {

struct OrdinalImport {
    bool found = false;
    bool byName = false;
    ULONGLONG boundAddress = 0;
};

// Looks through this program's import table for shell32's export `ordinal`.
OrdinalImport FindShell32Import(WORD ordinal)
{
    auto* base = reinterpret_cast<const BYTE*>(GetModuleHandleW(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];

    OrdinalImport result;
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         library->Name; ++library) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + library->Name), "shell32.dll") != 0)
            continue;
        auto* lookup = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + library->OriginalFirstThunk);
        auto* bound = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + library->FirstThunk);
        for (; lookup->u1.AddressOfData; ++lookup, ++bound) {
            if (IMAGE_SNAP_BY_ORDINAL64(lookup->u1.Ordinal)) {
                if (IMAGE_ORDINAL64(lookup->u1.Ordinal) == ordinal) {
                    result.found = true;
                    result.boundAddress = bound->u1.Function;
                }
            } else {
                auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + lookup->u1.AddressOfData);
                if (std::string(reinterpret_cast<const char*>(byName->Name)) == "ShellShutdownDialog")
                    result.byName = true;
            }
        }
    }
    return result;
}

void ShutdownDialogIsShell32ExportSixty()
{
    // Links the desktop actions in, as the installer does.
    installer::Desktop* volatile desktop = new installer::win::Win32Desktop;
    delete desktop;

    const OrdinalImport import = FindShell32Import(60);
    CHECK(import.found);
    CHECK(!import.byName);
    const FARPROC export60 = GetProcAddress(GetModuleHandleW(L"shell32.dll"), MAKEINTRESOURCEA(60));
    CHECK(export60 != nullptr);
    CHECK(import.boundAddress == reinterpret_cast<ULONGLONG>(export60));
}

} // namespace

int main()
{
    return check::Run({
        {"ShutdownDialogIsShell32ExportSixty", ShutdownDialogIsShell32ExportSixty},
    });
}
