// The fake Word of FakeWord.h as an out-of-process COM server, so that a
// program can be tested against it across processes as against Word:
//
//   fake_word_server.exe /RegServer <log>   registers this program as the
//                                           local server of Word's Global
//                                           class, logging into <log>
//   fake_word_server.exe <log> -Embedding   what COM starts: serves Global
//                                           and appends every logged line
//                                           to <log>
//
// The server ends when the last Global object is released, as Word's
// automation server does when its last client lets go; ending it otherwise
// would leave it registered with wine's COM service. Registering also makes
// the _Global interface known to COM (a type library declaring it a
// dispinterface, marshalled by the standard dispatch proxy), without which
// it cannot cross processes.

#include "FakeWord.h"
#include "WordClasses.h"

#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

// The fake's own type library.
constexpr GUID kLibrary = {0x5B3E7A24, 0x1C9D, 0x4E8F, {0xA2, 0xB6, 0x0F, 0x4D, 0x8C, 0x9E, 0x1A, 0x37}};
constexpr wchar_t kDispatchProxy[] = L"{00020420-0000-0000-C000-000000000046}";

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

bool SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr)
        != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

// Writes a type library that declares _Global a dispinterface and
// registers it.
bool RegisterGlobalInterface(const std::wstring& path)
{
    ITypeLib* standard = nullptr;
    ITypeInfo* dispatch = nullptr;
    if (FAILED(LoadTypeLib(L"stdole2.tlb", &standard))
        || FAILED(standard->GetTypeInfoOfGuid(IID_IDispatch, &dispatch)))
        return false;
    ICreateTypeLib2* library = nullptr;
    ICreateTypeInfo* global = nullptr;
    HREFTYPE base = 0;
    bool written = SUCCEEDED(CreateTypeLib2(SYS_WIN64, path.c_str(), &library))
                   && SUCCEEDED(library->SetGuid(kLibrary)) && SUCCEEDED(library->SetVersion(1, 0))
                   && SUCCEEDED(library->SetName(const_cast<LPOLESTR>(L"GlyphboardFakeWord")))
                   && SUCCEEDED(library->CreateTypeInfo(const_cast<LPOLESTR>(L"_Global"), TKIND_DISPATCH, &global))
                   && SUCCEEDED(global->SetGuid(doclink::word::kGlobalInterface))
                   && SUCCEEDED(global->AddRefTypeInfo(dispatch, &base)) && SUCCEEDED(global->AddImplType(0, base))
                   && SUCCEEDED(global->LayOut()) && SUCCEEDED(library->SaveAllChanges());
    if (global)
        global->Release();
    if (library)
        library->Release();
    dispatch->Release();
    standard->Release();
    if (!written)
        return false;

    ITypeLib* saved = nullptr;
    if (FAILED(LoadTypeLibEx(path.c_str(), REGKIND_REGISTER, &saved)))
        return false;
    saved->Release();
    // What registering the library writes for a dispinterface, spelt out.
    const std::wstring key = L"Interface\\" + GuidText(doclink::word::kGlobalInterface);
    return SetValue(key, nullptr, L"_Global") && SetValue(key + L"\\ProxyStubClsid32", nullptr, kDispatchProxy)
           && SetValue(key + L"\\TypeLib", nullptr, GuidText(kLibrary))
           && SetValue(key + L"\\TypeLib", L"Version", L"1.0");
}

int Register(const std::wstring& log)
{
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    const std::wstring server = L"\"" + std::wstring(program) + L"\" \"" + log + L"\"";
    const bool registered =
        RegisterGlobalInterface(log + L".tlb")
        && SetValue(L"CLSID\\" + GuidText(doclink::word::kGlobalClass), nullptr, L"Word fake")
        && SetValue(L"CLSID\\" + GuidText(doclink::word::kGlobalClass) + L"\\LocalServer32", nullptr, server);
    std::printf("%s\n", registered ? "registered" : "registration failed");
    return registered ? 0 : 1;
}

int Serve(const std::wstring& logPath)
{
    std::FILE* log = _wfopen(logPath.c_str(), L"ab");
    if (!log)
        return 1;
    const DWORD thread = GetCurrentThreadId();
    fakeword::Script script;
    script.onRecord = [&](const std::string& line) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fflush(log);
        if (line == "Global released")
            PostThreadMessageW(thread, WM_QUIT, 0, 0);
    };
    {
        fakeword::Registration registration(script);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0)
            DispatchMessageW(&message);
    }
    std::fclose(log);
    return 0;
}

} // namespace

int main()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    int status = 2;
    if (count == 3 && std::wstring(arguments[1]) == L"/RegServer")
        status = Register(arguments[2]);
    else if (count >= 2)
        status = Serve(arguments[1]);
    else
        std::fprintf(stderr, "usage: fake_word_server /RegServer <log> | <log> -Embedding\n");
    CoUninitialize();
    LocalFree(arguments);
    return status;
}
