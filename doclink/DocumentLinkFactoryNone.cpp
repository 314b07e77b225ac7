#include "DocumentLinkFactory.h"
#include "UnavailableDocumentLink.h"

namespace doclink {

std::unique_ptr<DocumentLink> CreateDocumentLink()
{
    return std::make_unique<UnavailableDocumentLink>();
}

} // namespace doclink
