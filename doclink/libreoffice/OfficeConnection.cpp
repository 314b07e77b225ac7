#include "OfficeConnection.h"

#include "UnoRuntime.h"
#include "UnoStrings.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <cppuhelper/implbase1.hxx>

namespace doclink::office {

using namespace css;
using rtl::OUString;
using css::uno::Reference;

namespace {

// Marks the connection lost when the bridge goes down, whoever brought it down.
class BridgeWatcher final : public cppu::WeakImplHelper1<lang::XEventListener> {
public:
    explicit BridgeWatcher(std::shared_ptr<std::atomic<bool>> lost) : lost_(std::move(lost)) {}
    void SAL_CALL disposing(const lang::EventObject&) override { *lost_ = true; }

private:
    std::shared_ptr<std::atomic<bool>> lost_;
};

} // namespace

std::shared_ptr<OfficeConnection> OfficeConnection::Connect(const std::string& pipeName)
{
    const Reference<uno::XComponentContext> local = LocalContext();
    const Reference<connection::XConnection> pipe =
        connection::Connector::create(local)->connect(ToOUString("pipe,name=" + pipeName));

    std::shared_ptr<OfficeConnection> result(new OfficeConnection);
    // An anonymous bridge: every connection gets its own.
    result->bridge_ = bridge::BridgeFactory::create(local)->createBridge(
        OUString(), OUString("urp"), pipe, nullptr);
    Reference<lang::XComponent>(result->bridge_, uno::UNO_QUERY_THROW)
        ->addEventListener(new BridgeWatcher(result->lost_));

    result->context_.set(result->bridge_->getInstance(OUString("StarOffice.ComponentContext")),
                         uno::UNO_QUERY);
    if (!result->context_.is())
        throw uno::RuntimeException(OUString("the office offers no component context"));
    result->desktop_ = frame::Desktop::create(result->context_);
    return result;
}

OfficeConnection::~OfficeConnection()
{
    Dispose();
}

void OfficeConnection::Dispose()
{
    Reference<bridge::XBridge> bridge;
    {
        std::lock_guard lock(disposeMutex_);
        bridge = bridge_;
        bridge_.clear();
    }
    *lost_ = true;
    if (!bridge.is())
        return;
    try {
        Reference<lang::XComponent>(bridge, uno::UNO_QUERY_THROW)->dispose();
    } catch (const uno::Exception&) {
        // The bridge is gone either way.
    }
}

} // namespace doclink::office
