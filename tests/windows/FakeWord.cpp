#include "FakeWord.h"

#include "LogText.h"
#include "WordClasses.h"

#include <oleauto.h>

#include <stdexcept>
#include <string_view>

namespace fakeword {

namespace {

// The members the fake knows, by object; a property that gives an object
// names that object's kind.
struct Member {
    std::string_view object;
    std::wstring_view name;
    const char* gives;
};

constexpr Member kMembers[] = {
    {"Global", L"ActiveDocument", "Document"},
    {"Document", L"ActiveWindow", "Window"},
    {"Window", L"Selection", "Selection"},
    {"Selection", L"TypeBackspace", nullptr},
    {"Selection", L"Font", "Font"},
    {"Selection", L"TypeText", nullptr},
    {"Font", L"NameBi", nullptr},
    {"Global", L"Application", "Application"},
    {"Application", L"UndoRecord", "UndoRecord"},
    {"UndoRecord", L"StartCustomRecord", nullptr},
    {"UndoRecord", L"EndCustomRecord", nullptr},
};

// The members only a fake with an undo record offers.
bool NeedsUndoRecord(const Member& member)
{
    return member.name == L"Application" || member.object == "Application" || member.object == "UndoRecord";
}

void Record(Script& script, std::string line)
{
    if (script.onRecord)
        script.onRecord(line);
    script.log.push_back(std::move(line));
}

std::string Narrow(std::wstring_view text)
{
    return {text.begin(), text.end()};
}

std::string FlagsText(WORD flags)
{
    std::string text;
    const auto add = [&](WORD flag, const char* name) {
        if (flags & flag)
            text += (text.empty() ? "" : "|") + std::string(name);
    };
    add(DISPATCH_METHOD, "method");
    add(DISPATCH_PROPERTYGET, "get");
    add(DISPATCH_PROPERTYPUT, "put");
    add(DISPATCH_PROPERTYPUTREF, "putref");
    return text;
}

// A string argument with every code unit outside printable ASCII as \uXXXX.
std::string ArgumentText(const VARIANT& argument)
{
    if (V_VT(&argument) != VT_BSTR)
        return "vt=" + std::to_string(V_VT(&argument));
    const BSTR text = V_BSTR(&argument);
    const std::u16string_view units(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
    return "\"" + testing_win::LogText(units) + "\"";
}

class FakeObject final : public IDispatch {
public:
    FakeObject(Script& script, std::string kind) : script_(script), kind_(std::move(kind)) { }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch
            || (kind_ == "Global" && iid == doclink::word::kGlobalInterface)) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) {
            Record(script_, kind_ + " released");
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count != 1)
            return E_INVALIDARG;
        for (std::size_t i = 0; i < std::size(kMembers); ++i) {
            if (kMembers[i].object == kind_ && kMembers[i].name == names[0]
                && (script_.hasUndoRecord || !NeedsUndoRecord(kMembers[i]))) {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT*) override
    {
        if (id < 1 || id > static_cast<DISPID>(std::size(kMembers)) || kMembers[id - 1].object != kind_)
            return DISP_E_MEMBERNOTFOUND;
        const Member& member = kMembers[id - 1];

        std::string line = kind_ + "." + Narrow(member.name) + " " + FlagsText(flags);
        if (parameters->cNamedArgs) {
            line += " named[";
            for (UINT i = 0; i < parameters->cNamedArgs; ++i)
                line += (i ? "," : "") + std::to_string(parameters->rgdispidNamedArgs[i]);
            line += "]";
        }
        // Arguments arrive last first.
        for (UINT i = parameters->cArgs; i-- > 0;)
            line += " " + ArgumentText(parameters->rgvarg[i]);
        Record(script_, line);

        const int call = ++script_.calls;
        if (call == script_.failAtCall) {
            if (script_.failWith == DISP_E_EXCEPTION && exception) {
                *exception = {};
                exception->bstrSource = SysAllocString(L"Microsoft Word");
                exception->bstrDescription = SysAllocString(kWordErrorText);
                exception->scode = static_cast<SCODE>(0x800A1098);
            }
            return script_.failWith;
        }
        if (member.gives && result) {
            V_VT(result) = VT_DISPATCH;
            V_DISPATCH(result) = call == script_.nothingAtCall ? nullptr : new FakeObject(script_, member.gives);
        }
        return S_OK;
    }

private:
    Script& script_;
    std::string kind_;
    ULONG references_ = 1;
};

class Factory final : public IClassFactory {
public:
    explicit Factory(Script& script) : script_(script) { }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        if (script_.refuseCreations > 0) {
            --script_.refuseCreations;
            Record(script_, "Global refused");
            return script_.creationFailure;
        }
        auto* global = new FakeObject(script_, "Global");
        const HRESULT result = global->QueryInterface(iid, object);
        global->Release();
        if (SUCCEEDED(result))
            Record(script_, "Global created");
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    Script& script_;
    ULONG references_ = 1;
};

} // namespace

Registration::Registration(Script& script) : factory_(new Factory(script))
{
    const HRESULT result = CoRegisterClassObject(doclink::word::kGlobalClass, factory_, CLSCTX_LOCAL_SERVER,
                                                 REGCLS_MULTIPLEUSE, &cookie_);
    if (FAILED(result)) {
        factory_->Release();
        throw std::runtime_error("CoRegisterClassObject failed");
    }
}

Registration::~Registration()
{
    CoRevokeClassObject(cookie_);
    factory_->Release();
}

} // namespace fakeword
