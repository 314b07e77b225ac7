#pragma once

#include "DocumentLink.h"

#include <memory>

namespace doclink {

// The link the palette uses on this platform.
std::unique_ptr<DocumentLink> CreateDocumentLink();

} // namespace doclink
