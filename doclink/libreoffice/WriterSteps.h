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
};

// How the steps run: in the office's own process or over a bridge.
struct StepContext {
    // Called before every step that talks to the office; throws to stop.
    std::function<void()> go = [] {};
    // Locks the document's controllers around the changing steps, so that
    // Writer lays the paragraph out once instead of after every change. Only
    // safe where nothing can stop between lock and unlock: inside the office.
    bool lockControllers = false;
    // Set before the first call that changes the document, so that a caller
    // knows whether repeating the click could do anything twice.
    bool* touched = nullptr;
};

// The steps of one click into the active text document of `desktop`: with
// the right-to-left font set to the click's font, the text at the view
// cursor, then the font back to "Traditional Arabic"; deleting the character
// before the insertion point first when asked. Throws DocumentLinkError when
// there is no text document to type into, and UNO exceptions when a call is
// refused.
void TypeIntoActiveDocument(const css::uno::Reference<css::frame::XDesktop2>& desktop, const Click& click,
                            const StepContext& context);

} // namespace doclink::office
