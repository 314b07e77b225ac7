#include "OfficeConnection.h"

#include "InsertionService.h"
#include "UnoRuntime.h"
#include "UnoStrings.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XEventListener.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
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

// Passes everything through to the pipe and counts it.
class CountingConnection final : public cppu::WeakImplHelper1<connection::XConnection> {
public:
    CountingConnection(Reference<connection::XConnection> pipe, std::shared_ptr<Traffic> traffic)
        : pipe_(std::move(pipe)), traffic_(std::move(traffic))
    {
    }
    sal_Int32 SAL_CALL read(uno::Sequence<sal_Int8>& data, sal_Int32 count) override
    {
        ++traffic_->reads;
        return pipe_->read(data, count);
    }
    void SAL_CALL write(const uno::Sequence<sal_Int8>& data) override
    {
        ++traffic_->messagesSent;
        pipe_->write(data);
    }
    void SAL_CALL flush() override { pipe_->flush(); }
    void SAL_CALL close() override { pipe_->close(); }
    OUString SAL_CALL getDescription() override { return pipe_->getDescription(); }

private:
    const Reference<connection::XConnection> pipe_;
    const std::shared_ptr<Traffic> traffic_;
};

} // namespace

std::shared_ptr<OfficeConnection> OfficeConnection::Connect(const std::string& pipeName,
                                                            std::shared_ptr<Traffic> traffic)
{
    const Reference<uno::XComponentContext> local = LocalContext();
    Reference<connection::XConnection> pipe =
        connection::Connector::create(local)->connect(ToOUString("pipe,name=" + pipeName));
    if (traffic) {
        ++traffic->connections;
        pipe = new CountingConnection(pipe, traffic);
    }

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

Reference<task::XJob> OfficeConnection::Insertion()
{
    if (!insertionLookedUp_) {
        // An office without the extension answers with an empty reference.
        insertion_.set(context_->getServiceManager()->createInstanceWithContext(
                           OUString::createFromAscii(insertion::kServiceName), context_),
                       uno::UNO_QUERY);
        insertionLookedUp_ = true;
    }
    return insertion_;
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
