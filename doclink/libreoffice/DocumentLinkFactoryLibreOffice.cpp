#include "DocumentLinkFactory.h"
#include "LibreOfficeDocumentLink.h"

namespace doclink {

std::unique_ptr<DocumentLink> CreateDocumentLink()
{
    return std::make_unique<LibreOfficeDocumentLink>(LibreOfficeDocumentLink::DefaultOptions("glyphboard"));
}

} // namespace doclink
