#pragma once

#include "DocumentLink.h"

struct IDispatch;

namespace doclink {

// Types into Microsoft Word through its automation objects, calling their
// members by name through IDispatch. Word's Global object is created on the
// first insertion and kept until the link is destroyed, or until Word turns
// out to have ended (closed by the user, or crashed): then it is dropped and
// the next insertion reaches Word afresh, at once when nothing of the
// insertion had been done yet. A failed creation leaves nothing behind, so
// the next insertion tries again. Everything else an insertion takes is
// released before TypeInFont returns.
//
// Use the link on one thread only, the one that created it; COM is
// initialised there (as a single-threaded apartment) if it is not yet.
class WordDocumentLink final : public DocumentLink {
public:
    WordDocumentLink() = default;
    ~WordDocumentLink() override;
    WordDocumentLink(const WordDocumentLink&) = delete;
    WordDocumentLink& operator=(const WordDocumentLink&) = delete;

    void TypeInFont(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                    const std::u16string& undoTitle) override;

private:
    IDispatch& Global();
    void ForgetGlobal();
    // The active document, as a reference the caller owns.
    IDispatch* ActiveDocument();
    void TypeWithWord(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                      const std::u16string& undoTitle);

    IDispatch* global_ = nullptr;
    bool comInitialised_ = false;
};

} // namespace doclink
