#include "ComErrorText.h"

#include <cstdio>

namespace doclink {

namespace {

struct KnownResult {
    HRESULT code;
    const char* text;
};

// The results a Word automation call meets in practice.
constexpr KnownResult kKnownResults[] = {
    {REGDB_E_CLASSNOTREG, "class not registered; Word is not installed"},
    {CO_E_SERVER_EXEC_FAILURE, "Word could not be started"},
    {CO_E_NOTINITIALIZED, "COM is not initialised on this thread"},
    {E_ACCESSDENIED, "access denied"},
    {E_NOINTERFACE, "interface not supported"},
    {E_OUTOFMEMORY, "out of memory"},
    {E_FAIL, "unspecified failure"},
    {DISP_E_EXCEPTION, "Word raised an error"},
    {DISP_E_MEMBERNOTFOUND, "member not found"},
    {DISP_E_UNKNOWNNAME, "unknown name"},
    {DISP_E_TYPEMISMATCH, "type mismatch"},
    {DISP_E_BADPARAMCOUNT, "wrong number of arguments"},
    {DISP_E_PARAMNOTOPTIONAL, "an argument is missing"},
    {RPC_E_CALL_REJECTED, "Word is busy and rejected the call"},
    {RPC_E_SERVERCALL_RETRYLATER, "Word is busy; try again later"},
    {RPC_E_DISCONNECTED, "Word has been closed"},
    {HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE), "Word is no longer running"},
};

} // namespace

std::string DescribeComResult(HRESULT result)
{
    const char* text = "failed";
    for (const KnownResult& known : kKnownResults) {
        if (known.code == result) {
            text = known.text;
            break;
        }
    }
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return std::string(text) + " (" + code + ")";
}

} // namespace doclink
