// The insertion as a UNO component that runs inside the office: one call per
// click instead of a dozen round trips over the bridge, with the document's
// controllers locked so that Writer lays the paragraph out once, and on the
// office's main thread so that its idle work cannot cut into the click.

#include "ClickTimingLog.h"
#include "InsertionService.h"
#include "MainThreadCall.h"
#include "UnoStrings.h"
#include "WriterSteps.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <cppuhelper/implbase2.hxx>
#include <cppuhelper/implementationentry.hxx>
#include <cppuhelper/supportsservice.hxx>
#include <uno/environment.h>
#include <uno/lbnames.h>

#include <chrono>
#include <exception>

namespace doclink::office {

using namespace css;
using css::uno::Reference;

namespace {

// How long a click waits for the office's main thread to take it up before
// it is dropped: far beyond the link's own bound for a call, so that only an
// office whose main thread is stuck for good ever drops one.
constexpr std::chrono::seconds kMainThreadBound{60};

class Insertion final : public cppu::WeakImplHelper2<task::XJob, lang::XServiceInfo> {
public:
    explicit Insertion(Reference<uno::XComponentContext> context) : context_(context), mainThread_(context) { }

    // Arguments: Text (string), Font (string), DeleteFirst (boolean),
    // UndoTitle (string, the name of the click's undo step). Returns whether
    // the insertion point was collapsed before the click (a boolean), which
    // taking the click back needs. Every failure, "no document" included,
    // reaches the caller as a RuntimeException whose message says what went
    // wrong.
    uno::Any SAL_CALL execute(const uno::Sequence<beans::NamedValue>& arguments) override
    {
        ClickTimingLog timing;
        OUString text;
        OUString font;
        OUString undoTitle;
        bool deleteFirst = false;
        bool haveText = false;
        bool haveFont = false;
        for (const beans::NamedValue& argument : arguments) {
            if (argument.Name.equalsAscii(insertion::kText))
                haveText = argument.Value >>= text;
            else if (argument.Name.equalsAscii(insertion::kFont))
                haveFont = argument.Value >>= font;
            else if (argument.Name.equalsAscii(insertion::kDeleteFirst))
                argument.Value >>= deleteFirst;
            else if (argument.Name.equalsAscii(insertion::kUndoTitle))
                argument.Value >>= undoTitle;
        }
        if (!haveText || !haveFont)
            throw lang::IllegalArgumentException(OUString("an insertion needs a Text and a Font"),
                                                 static_cast<cppu::OWeakObject*>(this), 0);

        const std::u16string textUnits = ToU16String(text);
        const std::u16string fontUnits = ToU16String(font);
        const std::u16string undoTitleUnits = ToU16String(undoTitle);
        bool wasCollapsed = true;
        StepContext steps;
        steps.lockControllers = true;
        steps.wasCollapsed = &wasCollapsed;
        // The steps' hook stays empty unless timing is on, so that an
        // ordinary click builds no call for it.
        if (timing.Enabled())
            steps.mark = [&timing](const char* part) { timing.Mark(part); };
        timing.Mark("arguments");
        // Only a RuntimeException leaves: no C++ exception may cross into the
        // office's dispatcher, and a document disposed inside the office must
        // never read as a lost bridge on the caller's side.
        try {
            mainThread_.Run(
                [&] {
                    timing.Mark("to-main");
                    TypeIntoActiveDocument(frame::Desktop::create(context_),
                                           Click{textUnits, fontUnits, deleteFirst, undoTitleUnits}, steps);
                },
                kMainThreadBound);
            timing.Mark("back");
        } catch (const uno::Exception& error) {
            throw uno::RuntimeException(error.Message);
        } catch (const std::exception& error) {
            throw uno::RuntimeException(ToOUString(std::string_view(error.what())));
        }
        timing.Write();
        return uno::Any(wasCollapsed);
    }

    OUString SAL_CALL getImplementationName() override
    {
        return OUString::createFromAscii(insertion::kImplementationName);
    }
    sal_Bool SAL_CALL supportsService(const OUString& name) override { return cppu::supportsService(this, name); }
    uno::Sequence<OUString> SAL_CALL getSupportedServiceNames() override { return ServiceNames(); }

    static uno::Sequence<OUString> ServiceNames()
    {
        const OUString name = OUString::createFromAscii(insertion::kServiceName);
        return uno::Sequence<OUString>(&name, 1);
    }
    static OUString ImplementationName() { return OUString::createFromAscii(insertion::kImplementationName); }
    static Reference<uno::XInterface> SAL_CALL Create(const Reference<uno::XComponentContext>& context)
    {
        return static_cast<cppu::OWeakObject*>(new Insertion(context));
    }

private:
    const Reference<uno::XComponentContext> context_;
    MainThreadCall mainThread_;
};

const cppu::ImplementationEntry kEntries[] = {{Insertion::Create, Insertion::ImplementationName,
                                               Insertion::ServiceNames, cppu::createSingleComponentFactory, nullptr,
                                               0},
                                              {nullptr, nullptr, nullptr, nullptr, nullptr, 0}};

} // namespace

} // namespace doclink::office

extern "C" SAL_DLLPUBLIC_EXPORT void* SAL_CALL component_getFactory(const char* implementationName,
                                                                    void* serviceManager, void* registryKey)
{
    return cppu::component_getFactoryHelper(implementationName, serviceManager, registryKey,
                                            doclink::office::kEntries);
}

extern "C" SAL_DLLPUBLIC_EXPORT void SAL_CALL
component_getImplementationEnvironment(const char** environmentTypeName, uno_Environment**)
{
    *environmentTypeName = CPPU_CURRENT_LANGUAGE_BINDING_NAME;
}
