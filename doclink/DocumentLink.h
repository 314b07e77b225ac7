#pragma once

#include <stdexcept>
#include <string>

namespace doclink {

// Raised by every failure of a document link: the word processor cannot be
// reached or started, no document is open, or a call is refused. The message
// says which, in plain words for a log or a test; the palette shows its own
// fixed box instead.
class DocumentLinkError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The palette's one connection to the word processor.
class DocumentLink {
public:
    virtual ~DocumentLink() = default;

    // Types `text` at the insertion point of the active document with the
    // right-to-left font set to `font`, then sets that font back to
    // "Traditional Arabic". With `deleteFirst`, the character before the
    // insertion point is deleted before anything else. Texts are UTF-16 and
    // are sent exactly as given; an empty text is still sent. U+000D starts a
    // new paragraph. Throws DocumentLinkError; what was done before a failure
    // stays done. `undoTitle` names the insertion as one step in the word
    // processor's undo list (the symbol's name; may be empty).
    virtual void TypeInFont(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                            const std::u16string& undoTitle) = 0;
};

// The right-to-left font the link returns to after every insertion.
inline const std::u16string kTextFont = u"Traditional Arabic";

} // namespace doclink
