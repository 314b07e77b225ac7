#pragma once

#include "DocumentLink.h"

namespace doclink {

// A link for a build without any word-processor backend: every insertion
// fails, so the palette shows its failure box instead of doing nothing.
class UnavailableDocumentLink final : public DocumentLink {
public:
    void TypeInFont(const std::u16string&, const std::u16string&, bool, const std::u16string&) override
    {
        throw DocumentLinkError("no word-processor backend is built into this program");
    }
};

} // namespace doclink
