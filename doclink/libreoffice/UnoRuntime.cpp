#include "UnoRuntime.h"

#include "DocumentLink.h"
#include "UnoStrings.h"

#include <com/sun/star/lang/XComponent.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <QCoreApplication>

#include <csignal>
#include <mutex>

namespace doclink::office {

using css::uno::Reference;
using css::uno::XComponentContext;

namespace {

std::mutex g_mutex;
// Held through a pointer: a Reference still alive while the runtime's own
// statics are torn down after main() would crash the process.
Reference<XComponentContext>* g_context = nullptr;
bool g_shutDown = false;

void ShutDown()
{
    std::lock_guard lock(g_mutex);
    if (!g_context)
        return;
    try {
        Reference<css::lang::XComponent>(*g_context, css::uno::UNO_QUERY_THROW)->dispose();
    } catch (const css::uno::Exception&) {
        // Nothing more can be done at exit.
    }
    delete g_context;
    g_context = nullptr;
    g_shutDown = true;
}

} // namespace

Reference<XComponentContext> LocalContext()
{
    std::lock_guard lock(g_mutex);
    if (g_context)
        return *g_context;
    if (g_shutDown)
        throw DocumentLinkError("the UNO runtime has already been shut down");

    // A vanished office must not kill the palette through a broken pipe.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        rtl::Bootstrap::set(OUString("URE_BOOTSTRAP"),
                            ToOUString("vnd.sun.star.pathname:" LIBREOFFICE_PROGRAM_DIR "/fundamentalrc"));
        Reference<XComponentContext> context =
            cppu::defaultBootstrap_InitialComponentContext(ToOUString("file://" LIBREOFFICE_PROGRAM_DIR "/unorc"));
        g_context = new Reference<XComponentContext>(context);
    } catch (const css::uno::Exception& error) {
        throw DocumentLinkError("cannot start the UNO runtime: " + ToUtf8(error.Message));
    }
    if (QCoreApplication::instance())
        qAddPostRoutine(ShutDown);
    return *g_context;
}

} // namespace doclink::office
