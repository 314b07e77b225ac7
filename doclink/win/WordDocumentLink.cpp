#include "WordDocumentLink.h"

#include "ComErrorText.h"
#include "WinText.h"
#include "WordClasses.h"

#include <windows.h>
#include <oleauto.h>

#include <utility>

namespace doclink {

namespace {

// Owns one reference to an automation object.
class ObjectRef {
public:
    explicit ObjectRef(IDispatch* object = nullptr) : object_(object) { }
    ObjectRef(ObjectRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) { }
    ObjectRef(const ObjectRef&) = delete;
    ObjectRef& operator=(const ObjectRef&) = delete;
    ObjectRef& operator=(ObjectRef&& other) noexcept
    {
        if (this != &other) {
            Reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    ~ObjectRef() { Reset(); }

    IDispatch& operator*() const { return *object_; }
    IDispatch* Get() const { return object_; }
    // Hands the reference over to the caller.
    IDispatch* Take() { return std::exchange(object_, nullptr); }
    void Reset()
    {
        if (object_)
            std::exchange(object_, nullptr)->Release();
    }

private:
    IDispatch* object_;
};

// Owns a VARIANT, cleared on destruction.
struct Variant {
    VARIANT value;
    Variant() { VariantInit(&value); }
    Variant(Variant&& other) noexcept : value(other.value) { VariantInit(&other.value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&value); }
};

Variant StringArgument(const std::u16string& text)
{
    Variant argument;
    V_VT(&argument.value) = VT_BSTR;
    // The text goes as it stands: UTF-16 code units, embedded spaces and
    // marks included.
    V_BSTR(&argument.value) =
        SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
    if (!V_BSTR(&argument.value))
        throw DocumentLinkError("out of memory for the text sent to Word");
    return argument;
}

// A failed call, with the result that tells whether Word itself is gone.
class ComCallError : public DocumentLinkError {
public:
    ComCallError(const std::string& message, HRESULT result) : DocumentLinkError(message), result_(result) { }
    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};

[[noreturn]] void Fail(const std::string& call, HRESULT result)
{
    throw ComCallError("Word call " + call + " failed: " + DescribeComResult(result), result);
}

// Results that mean the Word process behind our references has ended: the
// user closed Word, or it crashed.
bool WordIsGone(HRESULT result)
{
    return result == RPC_E_DISCONNECTED || result == RPC_E_SERVER_DIED || result == RPC_E_SERVER_DIED_DNE
           || result == CO_E_OBJNOTCONNECTED || result == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
}

// Word's own account of an error it raised, and the exception's strings freed.
std::string TakeExceptionText(EXCEPINFO& exception)
{
    // Word may fill the exception lazily through a deferred callback.
    if (exception.pfnDeferredFillIn)
        exception.pfnDeferredFillIn(&exception);
    std::string text;
    if (exception.bstrDescription && *exception.bstrDescription)
        text += ": " + glyphboard::win::ToUtf8(std::wstring_view(exception.bstrDescription));
    if (exception.scode)
        text += " [" + DescribeComResult(exception.scode) + "]";
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    exception = {};
    return text;
}

// Calls the member `member` of `object` (`objectName` names it in messages)
// with the given invoke flags and arguments, and returns its result.
Variant Invoke(IDispatch& object, const wchar_t* objectName, const wchar_t* member, WORD flags,
               VARIANT* argument = nullptr)
{
    const std::string call = glyphboard::win::ToUtf8(std::wstring(objectName) + L"." + member);

    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    HRESULT result = object.GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result))
        Fail(call, result);

    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {};
    if (argument) {
        parameters.rgvarg = argument;
        parameters.cArgs = 1;
    }
    if (flags & DISPATCH_PROPERTYPUT) {
        // A property put names its value argument.
        parameters.rgdispidNamedArgs = &putId;
        parameters.cNamedArgs = 1;
    }

    Variant returned;
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    result = object.Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                           (flags & DISPATCH_PROPERTYPUT) ? nullptr : &returned.value, &exception, &argumentError);
    if (result == DISP_E_EXCEPTION) {
        throw ComCallError(
            "Word call " + call + " failed: " + DescribeComResult(result) + TakeExceptionText(exception), result);
    }
    if (FAILED(result))
        Fail(call, result);
    return returned;
}

ObjectRef GetObject(IDispatch& object, const wchar_t* objectName, const wchar_t* property)
{
    Variant value = Invoke(object, objectName, property, DISPATCH_PROPERTYGET);
    if (V_VT(&value.value) != VT_DISPATCH || !V_DISPATCH(&value.value)) {
        throw DocumentLinkError("Word call " + glyphboard::win::ToUtf8(std::wstring(objectName) + L"." + property)
                                + " gave no object");
    }
    return ObjectRef(std::exchange(V_DISPATCH(&value.value), nullptr));
}

void CallMethod(IDispatch& object, const wchar_t* objectName, const wchar_t* method, VARIANT* argument = nullptr)
{
    Invoke(object, objectName, method, DISPATCH_METHOD, argument);
}

// Whether `object` has a member called `member`.
bool HasMember(IDispatch& object, const wchar_t* member)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR name = const_cast<LPOLESTR>(member);
    return SUCCEEDED(object.GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id));
}

// Groups everything Word does while it lives into one undo step named
// `title` (Application.UndoRecord, Word 2010 and later). Where Word has no
// undo record, or will not start one, the insertion goes on without it: the
// grouping is a convenience, never a reason for a click to fail.
class CustomUndoRecord {
public:
    CustomUndoRecord(IDispatch& global, const std::u16string& title)
    {
        try {
            if (!HasMember(global, L"Application"))
                return;
            ObjectRef application = GetObject(global, L"Global", L"Application");
            if (!HasMember(*application, L"UndoRecord"))
                return;
            ObjectRef record = GetObject(*application, L"Application", L"UndoRecord");
            Variant name = StringArgument(title);
            Invoke(*record, L"UndoRecord", L"StartCustomRecord", DISPATCH_METHOD, &name.value);
            record_ = std::move(record);
        } catch (const DocumentLinkError&) {
            record_.Reset();
        }
    }
    // Ends the record also when the insertion failed, so that Word's undo
    // list is never left open.
    ~CustomUndoRecord()
    {
        if (!record_.Get())
            return;
        try {
            Invoke(*record_, L"UndoRecord", L"EndCustomRecord", DISPATCH_METHOD);
        } catch (const DocumentLinkError&) {
            // Word is gone or refuses: nothing is left to close.
        }
    }
    CustomUndoRecord(const CustomUndoRecord&) = delete;
    CustomUndoRecord& operator=(const CustomUndoRecord&) = delete;

private:
    ObjectRef record_;
};

void SetRightToLeftFont(IDispatch& selection, const std::u16string& font)
{
    ObjectRef fontObject = GetObject(selection, L"Selection", L"Font");
    Variant name = StringArgument(font);
    Invoke(*fontObject, L"Font", L"NameBi", DISPATCH_PROPERTYPUT, &name.value);
}

} // namespace

WordDocumentLink::~WordDocumentLink()
{
    if (global_)
        global_->Release();
    if (comInitialised_)
        CoUninitialize();
}

IDispatch& WordDocumentLink::Global()
{
    if (global_)
        return *global_;

    if (!comInitialised_) {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        // S_FALSE: already initialised here, still to be balanced.
        // RPC_E_CHANGED_MODE: the thread runs another apartment, which serves as well.
        if (SUCCEEDED(result))
            comInitialised_ = true;
        else if (result != RPC_E_CHANGED_MODE)
            Fail("CoInitializeEx", result);
    }

    IDispatch* created = nullptr;
    const HRESULT result = CoCreateInstance(word::kGlobalClass, nullptr, CLSCTX_SERVER, word::kGlobalInterface,
                                            reinterpret_cast<void**>(&created));
    if (FAILED(result) || !created)
        Fail("CoCreateInstance(Global)", FAILED(result) ? result : E_NOINTERFACE);
    // _Global is a dual interface, so the pointer is an IDispatch.
    global_ = created;
    return *global_;
}

void WordDocumentLink::ForgetGlobal()
{
    if (global_)
        std::exchange(global_, nullptr)->Release();
}

IDispatch* WordDocumentLink::ActiveDocument()
{
    try {
        return GetObject(Global(), L"Global", L"ActiveDocument").Take();
    } catch (const ComCallError& error) {
        if (!WordIsGone(error.result()))
            throw;
        // The Word we reached before has ended since. Nothing has been done
        // in this insertion yet, so reach the Word running now (or start
        // one) and ask once more.
        ForgetGlobal();
        return GetObject(Global(), L"Global", L"ActiveDocument").Take();
    }
}

void WordDocumentLink::TypeInFont(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                                  const std::u16string& undoTitle)
{
    try {
        TypeWithWord(text, font, deleteFirst, undoTitle);
    } catch (const ComCallError& error) {
        // A Word that has ended cannot be used again: keeping its global
        // object would make every later click fail until the palette is
        // restarted. The next insertion reaches Word afresh.
        if (WordIsGone(error.result()))
            ForgetGlobal();
        throw;
    }
}

void WordDocumentLink::TypeWithWord(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                                    const std::u16string& undoTitle)
{
    // Declared in this order so that the selection is released before the
    // document, also when a call fails.
    ObjectRef document(ActiveDocument());
    ObjectRef selection;
    {
        ObjectRef window = GetObject(*document, L"Document", L"ActiveWindow");
        selection = GetObject(*window, L"Window", L"Selection");
    }
    const CustomUndoRecord record(Global(), undoTitle);
    if (deleteFirst)
        CallMethod(*selection, L"Selection", L"TypeBackspace");
    SetRightToLeftFont(*selection, font);
    Variant typed = StringArgument(text);
    CallMethod(*selection, L"Selection", L"TypeText", &typed.value);
    SetRightToLeftFont(*selection, kTextFont);
}

} // namespace doclink
