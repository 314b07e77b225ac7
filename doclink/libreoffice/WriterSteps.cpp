#include "WriterSteps.h"

#include "DocumentLink.h"
#include "UnoStrings.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextSection.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

#include <optional>

namespace doclink::office {

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

const OUString kComplexFontProperty("CharFontNameComplex");

void SetComplexFont(const Reference<text::XTextRange>& range, std::u16string_view font)
{
    Reference<beans::XPropertySet>(range, UNO_QUERY_THROW)
        ->setPropertyValue(kComplexFontProperty, uno::Any(ToOUString(font)));
}

// Deletes the character before the collapsed view cursor in logical order,
// as a backspace does; at the start of a paragraph that joins it to the one
// before, at the start of the text it does nothing.
void DeleteCharacterBefore(const Reference<text::XText>& text, const Reference<text::XTextViewCursor>& cursor)
{
    const Reference<text::XTextCursor> before = text->createTextCursorByRange(cursor->getStart());
    if (before->goLeft(1, true))
        before->setString(OUString());
}

// Leaves `position` (a collapsed range) so that the next character typed
// there comes in the text font, without touching a character around it.
// Writer gives an attribute set on a collapsed cursor inside a word to the
// whole word; a cursor that has been expanded to the same place is an empty
// selection instead, on which the attribute waits at exactly that place for
// the next typed character. Returns that cursor.
Reference<text::XTextCursor> LeaveTextFontAt(const Reference<text::XText>& text,
                                             const Reference<text::XTextRange>& position,
                                             const std::function<void()>& go)
{
    go();
    const Reference<text::XTextCursor> empty = text->createTextCursorByRange(position);
    go();
    empty->gotoRange(position, true);
    go();
    SetComplexFont(Reference<text::XTextRange>(empty.get()), kTextFont);
    return empty;
}

// Throws when the user could not type at the view cursor: the office
// carries out calls over the API even where its own keyboard is refused.
void CheckEditable(const Reference<text::XTextDocument>& document, const Reference<text::XTextViewCursor>& cursor,
                   const std::function<void()>& go)
{
    go();
    const Reference<frame::XStorable> storable(document, UNO_QUERY);
    if (storable.is() && storable->isReadonly())
        throw DocumentLinkError("the document is read-only");
    go();
    Reference<beans::XPropertySet> section(
        Reference<beans::XPropertySet>(cursor, UNO_QUERY_THROW)->getPropertyValue(OUString("TextSection")),
        UNO_QUERY);
    // A section inside a protected one is protected, too.
    while (section.is()) {
        go();
        bool isProtected = false;
        section->getPropertyValue(OUString("IsProtected")) >>= isProtected;
        if (isProtected)
            throw DocumentLinkError("the insertion point is in a protected section");
        go();
        section.set(Reference<text::XTextSection>(section, UNO_QUERY_THROW)->getParentSection(), UNO_QUERY);
    }
}

// The changing steps of a click; `changed` is raised once the document has
// been changed, so that a failure knows whether there is anything to undo.
void Apply(const Reference<text::XText>& text, const Reference<text::XTextViewCursor>& cursor, const Click& click,
           const StepContext& context, bool& changed)
{
    const auto& go = context.go;
    // A selected range goes the way typing would take it: it is what the
    // backspace deletes and what the text replaces. With neither, it stays
    // and the insertion point is its end.
    go();
    if (!cursor->isCollapsed()) {
        if (click.deleteFirst || !click.text.empty()) {
            go();
            cursor->setString(OUString());
            changed = true;
        }
        go();
        cursor->collapseToEnd();
        context.Mark("delete");
    } else if (click.deleteFirst) {
        go();
        DeleteCharacterBefore(text, cursor);
        changed = true;
        context.Mark("delete");
    }

    // The text goes in through a cursor of its own, which then spans exactly
    // the inserted text (U+000D makes a paragraph break); the font is set on
    // that range, never on the insertion point, so that Writer's rule for a
    // collapsed cursor inside a word cannot spread it to the word around.
    go();
    const Reference<text::XTextCursor> inserted = text->createTextCursorByRange(cursor->getStart());
    if (!click.text.empty()) {
        go();
        inserted->setString(ToOUString(click.text));
        changed = true;
        context.Mark("insert");
        go();
        SetComplexFont(Reference<text::XTextRange>(inserted.get()), click.font);
        context.Mark("font");
    }
    const Reference<text::XTextCursor> end = LeaveTextFontAt(text, inserted->getEnd(), go);
    changed = true;
    context.Mark("leave-font");
    go();
    cursor->gotoRange(end->getStart(), false);
    context.Mark("move");
}

// Undoes the click's step if it is the newest one. Writer selects what an
// undo brings back; an insertion point that was collapsed is made so again.
void UndoClick(const Reference<document::XUndoManager>& undo, const OUString& title,
               const Reference<text::XTextViewCursor>& cursor, bool wasCollapsed)
{
    if (!undo->isUndoPossible() || undo->getCurrentUndoActionTitle() != title)
        return;
    undo->undo();
    if (wasCollapsed)
        cursor->collapseToEnd();
}

// Takes back what a called-off or failed click did, as far as the office
// still answers; the original failure is what the caller hears of.
void RollBack(const Reference<document::XUndoManager>& undo, const OUString& title, bool changed,
              const Reference<text::XTextViewCursor>& cursor, bool wasCollapsed)
{
    try {
        undo->leaveUndoContext();
        if (changed)
            UndoClick(undo, title, cursor, wasCollapsed);
    } catch (const uno::Exception&) {
        // The office is gone or refuses: nothing more can be done from here.
    }
}

// Keeps the document's controllers locked while it lives; the unlock runs on
// every way out, an exception included, so that no view stays frozen.
class ControllerLock {
public:
    explicit ControllerLock(Reference<frame::XModel> model) : model_(std::move(model))
    {
        model_->lockControllers();
    }
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

void TakeBack(const Reference<frame::XDesktop2>& desktop, const Click& click, bool wasCollapsed)
{
    try {
        const Reference<frame::XModel> document(desktop->getCurrentComponent(), UNO_QUERY);
        if (!document.is())
            return;
        const Reference<text::XTextViewCursor> cursor =
            Reference<text::XTextViewCursorSupplier>(document->getCurrentController(), UNO_QUERY_THROW)
                ->getViewCursor();
        UndoClick(Reference<document::XUndoManagerSupplier>(document, UNO_QUERY_THROW)->getUndoManager(),
                  ToOUString(click.undoTitle), cursor, wasCollapsed);
    } catch (const uno::Exception&) {
        // The office is gone or refuses: nothing more can be done from here.
    }
}

void TypeIntoActiveDocument(const Reference<frame::XDesktop2>& desktop, const Click& click,
                            const StepContext& context)
{
    const auto& go = context.go;
    go();
    const Reference<text::XTextDocument> document(desktop->getCurrentComponent(), UNO_QUERY);
    if (!document.is())
        throw DocumentLinkError("no document: the office has no text document open");
    go();
    const Reference<frame::XModel> model(document, UNO_QUERY_THROW);
    const Reference<text::XTextViewCursorSupplier> view(model->getCurrentController(), UNO_QUERY);
    if (!view.is())
        throw DocumentLinkError("no document: the text document has no view to type into");
    go();
    const Reference<text::XTextViewCursor> cursor = view->getViewCursor();
    go();
    const Reference<text::XText> text = cursor->getText();
    go();
    const Reference<document::XUndoManager> undo =
        Reference<document::XUndoManagerSupplier>(document, UNO_QUERY_THROW)->getUndoManager();
    context.Mark("find");

    CheckEditable(document, cursor, go);

    const OUString title = ToOUString(click.undoTitle);
    go();
    const bool wasCollapsed = cursor->isCollapsed();
    if (context.wasCollapsed)
        *context.wasCollapsed = wasCollapsed;
    context.Mark("check");
    go();
    if (context.touched)
        *context.touched = true;
    std::optional<ControllerLock> lock;
    if (context.lockControllers) {
        lock.emplace(model);
        context.Mark("lock");
    }
    undo->enterUndoContext(title);
    context.Mark("enter-undo");
    bool changed = false;
    try {
        Apply(text, cursor, click, context, changed);
        go();
    } catch (...) {
        RollBack(undo, title, changed, cursor, wasCollapsed);
        throw;
    }
    undo->leaveUndoContext();
    context.Mark("leave-undo");
    // Called off while the last call was under way: the click is taken back
    // whole rather than left to appear after its failure was reported.
    try {
        go();
    } catch (...) {
        try {
            UndoClick(undo, title, cursor, wasCollapsed);
        } catch (const uno::Exception&) {
            // As in RollBack.
        }
        throw;
    }
    if (lock) {
        lock.reset();
        context.Mark("unlock");
    }
}

} // namespace doclink::office
