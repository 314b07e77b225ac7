#include "WriterSteps.h"

#include "DocumentLink.h"
#include "UnoStrings.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

#include <optional>

namespace doclink::office {

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

const OUString kComplexFontProperty("CharFontNameComplex");

// Deletes the character before the collapsed view cursor in logical order,
// as a backspace does; at the start of a paragraph that joins it to the one
// before, at the start of the text it does nothing.
void DeleteCharacterBefore(const Reference<text::XText>& text, const Reference<text::XTextViewCursor>& cursor)
{
    const Reference<text::XTextCursor> before = text->createTextCursorByRange(cursor->getStart());
    if (before->goLeft(1, true))
        before->setString(OUString());
}

// Inserts the text at the view cursor, which moves behind it; every U+000D
// becomes a paragraph break. An empty text makes no call.
void InsertAtCursor(const Reference<text::XText>& text, const Reference<text::XTextViewCursor>& cursor,
                    std::u16string_view insertion, const std::function<void()>& go)
{
    const Reference<text::XTextRange> at(cursor.get());
    while (!insertion.empty()) {
        const std::size_t end = insertion.find(u'\r');
        const std::u16string_view run = insertion.substr(0, end);
        if (!run.empty())
            text->insertString(at, ToOUString(run), false);
        if (end == std::u16string_view::npos)
            break;
        go();
        text->insertControlCharacter(at, text::ControlCharacter::PARAGRAPH_BREAK, false);
        insertion.remove_prefix(end + 1);
    }
}

// Keeps the document's controllers locked while it lives; the unlock runs on
// every way out, an exception included, so no view stays frozen.
class ControllerLock {
public:
    explicit ControllerLock(Reference<frame::XModel> model) : model_(std::move(model)) { model_->lockControllers(); }
    ~ControllerLock()
    {
        try {
            model_->unlockControllers();
        } catch (const uno::Exception&) {
            // A document closed meanwhile has no view left to unlock.
        }
    }
    ControllerLock(const ControllerLock&) = delete;
    ControllerLock& operator=(const ControllerLock&) = delete;

private:
    Reference<frame::XModel> model_;
};

} // namespace

void TypeIntoActiveDocument(const Reference<frame::XDesktop2>& desktop, const Click& click,
                            const StepContext& context)
{
    const auto& go = context.go;
    const auto touch = [&context] {
        if (context.touched)
            *context.touched = true;
    };
    go();
    const Reference<text::XTextDocument> document(desktop->getCurrentComponent(), UNO_QUERY);
    if (!document.is())
        throw DocumentLinkError("no document: the office has no text document open");
    const Reference<frame::XModel> model(document, UNO_QUERY_THROW);
    go();
    const Reference<text::XTextViewCursorSupplier> view(model->getCurrentController(), UNO_QUERY);
    if (!view.is())
        throw DocumentLinkError("no document: the text document has no view to type into");
    go();
    const Reference<text::XTextViewCursor> cursor = view->getViewCursor();
    go();
    const Reference<text::XText> text = cursor->getText();
    const Reference<beans::XPropertySet> cursorProperties(cursor, UNO_QUERY_THROW);
    go();

    std::optional<ControllerLock> lock;
    if (context.lockControllers)
        lock.emplace(model);

    // A selected range goes the way typing would take it: it is what the
    // backspace deletes and what the text replaces. With neither, it stays
    // and the insertion point is its end.
    if (!cursor->isCollapsed()) {
        touch();
        if (click.deleteFirst || !click.text.empty())
            cursor->setString(OUString());
        cursor->collapseToEnd();
    } else if (click.deleteFirst) {
        touch();
        DeleteCharacterBefore(text, cursor);
    }

    go();
    touch();
    cursorProperties->setPropertyValue(kComplexFontProperty, uno::Any(ToOUString(click.font)));
    go();
    InsertAtCursor(text, cursor, click.text, go);
    go();
    cursorProperties->setPropertyValue(kComplexFontProperty, uno::Any(ToOUString(kTextFont)));
}

} // namespace doclink::office
