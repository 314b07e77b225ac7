#pragma once

// A stand-in for Word's automation objects, registered in the test process
// for Word's Global class. Every object records what is done to it in one
// shared log, in the order it happens:
//
//   Global created
//   Selection.TypeText method "\u0633 "        (a call: flags, arguments)
//   Font.NameBi put named[-3] "Al-DizaDorvan"  (a put names its argument)
//   Window released                            (the last reference dropped)

#include <windows.h>

#include <string>
#include <vector>

namespace fakeword {

struct Script {
    std::vector<std::string> log;

    // The call (counted from 1 over all objects) that fails with `failWith`;
    // 0 for none. DISP_E_EXCEPTION comes with Word's description.
    int failAtCall = 0;
    HRESULT failWith = E_FAIL;
    // The call that answers with no object instead of one.
    int nothingAtCall = 0;
    // How many creations are refused, each with `creationFailure`.
    int refuseCreations = 0;
    HRESULT creationFailure = CO_E_SERVER_EXEC_FAILURE;

    // Whether the fake offers Global.Application and its UndoRecord with
    // StartCustomRecord and EndCustomRecord, as Word 2010 and later do.
    // Without it the link leaves the undo record out, and the log shows the
    // insertion's calls only.
    bool hasUndoRecord = false;

    int calls = 0;
};

// What the fake says when it raises an error.
inline const wchar_t kWordErrorText[] = L"This command is not available because no document is open.";

// Registers the fake's class factory for the Global class while it lives.
class Registration {
public:
    explicit Registration(Script& script);
    ~Registration();
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

private:
    IClassFactory* factory_ = nullptr;
    DWORD cookie_ = 0;
};

} // namespace fakeword
