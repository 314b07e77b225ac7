#pragma once

#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

namespace doclink::office {

// The process's local UNO component context, bootstrapped from the office's
// own type libraries on first use (without them a remote call with an
// unknown type crashes the client instead of failing). Thread-safe. When a
// Qt application object exists, the context is disposed when it is
// destroyed, so that no UNO reference outlives main(). Throws
// DocumentLinkError when the runtime cannot be started or is already shut
// down.
css::uno::Reference<css::uno::XComponentContext> LocalContext();

} // namespace doclink::office
