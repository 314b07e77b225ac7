#include "DocumentLinkFactory.h"
#include "WordDocumentLink.h"

namespace doclink {

std::unique_ptr<DocumentLink> CreateDocumentLink()
{
    return std::make_unique<WordDocumentLink>();
}

} // namespace doclink
