#pragma once

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/uno/Reference.hxx>

#include <functional>
#include <string_view>

namespace doclink::office {

// What one click asks of Writer.
struct Click {
    std::u16string_view text;
    std::u16string_view font;
    bool deleteFirst = false;
    // The name of the click's step in the document's undo list.
    std::u16string_view undoTitle;
};

// How the steps run: in the office's own process or over a bridge.
struct StepContext {
    // Called before every call into the office; throws to call the click off.
    std::function<void()> go = [] {};
    // Set before the first call that can change the document, so that a
    // caller knows whether repeating the click could do anything twice.
    bool* touched = nullptr;
    // Locks the document's controllers around the changing steps, so that
    // Writer lays the paragraph out once instead of after every change; they
    // are unlocked on every way out. Only for steps inside the office: over
    // a bridge, a caller that dies or gives up between lock and unlock would
    // leave the view frozen.
    bool lockControllers = false;
    // Set to whether the insertion point was collapsed (no selection) before
    // the click changed anything, for taking the click back later.
    bool* wasCollapsed = nullptr;
    // When set, called with the name of each part of the click as that part
    // ends ("find", "check", "lock", "enter-undo", "delete", "insert",
    // "font", "leave-font", "move", "leave-undo", "unlock"), so that the
    // time each part takes inside the office can be measured.
    std::function<void(const char* part)> mark;

    void Mark(const char* part) const
    {
        if (mark)
            mark(part);
    }
};

// The steps of one click into the active text document of `desktop`, as one
// undo step titled with the click's undo title: the character before the
// insertion point deleted first when asked (a selection goes instead), the
// text at the insertion point in the click's right-to-left font, and the
// insertion point left with "Traditional Arabic" for the next typed
// character. Only the inserted text gets the click's font; the text around
// it keeps its own, also inside a word.
//
// A click is all or nothing: when a call is refused or `go` throws after
// the document was changed, the click's changes are undone before the
// exception goes on (as far as the office still answers). Throws
// DocumentLinkError when there is no text document to type into, UNO
// exceptions when a call is refused, and whatever `go` throws.
void TypeIntoActiveDocument(const css::uno::Reference<css::frame::XDesktop2>& desktop, const Click& click,
                            const StepContext& context);

// Undoes `click` in the active document when it is the last step of the
// undo list there, collapsing the insertion point again when it was so
// before: for a click that ran to its end after it was called off.
// Failures are swallowed; the caller reports the click's own.
void TakeBack(const css::uno::Reference<css::frame::XDesktop2>& desktop, const Click& click, bool wasCollapsed);

} // namespace doclink::office
