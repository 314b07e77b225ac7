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

#include "DocumentLink.h"

#include <condition_variable>
#include <thread>

#include <filesystem>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace doclink::office {

using namespace css;
using rtl::OUString;
using css::uno::Reference;

namespace {

// Marks the connection lost when the bridge goes down, whoever brought it down.
class BridgeWatcher final : public cppu::WeakImplHelper1<lang::XEventListener> {
public:
    explicit BridgeWatcher(std::shared_ptr<std::atomic<bool>> lost) : lost_(std::move(lost)) { }
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

std::string OfficeConnection::SocketPath(const std::string& pipeName)
{
    // The UNO runtime's pipes are sockets in /tmp (or /var/tmp where /tmp
    // cannot be written) named after the user's id and the pipe.
    const char* folder = access("/tmp", W_OK) == 0 || access("/var/tmp", W_OK) != 0 ? "/tmp" : "/var/tmp";
    return std::string(folder) + "/OSL_PIPE_" + std::to_string(getuid()) + "_" + pipeName;
}

namespace {

// Refuses a pipe whose socket file is not a socket of this user: a stale
// file, or one that another user made in the shared folder, where a click's
// text would go to whoever listens. No file at all is fine: nothing listens.
void CheckSocket(const std::string& pipeName)
{
    const std::string path = OfficeConnection::SocketPath(pipeName);
    struct stat status { };
    if (lstat(path.c_str(), &status) != 0)
        return;
    if (!S_ISSOCK(status.st_mode))
        throw DocumentLinkError("the office's pipe " + path + " is not a socket; remove it and try again");
    if (status.st_uid != getuid())
        throw DocumentLinkError("the office's pipe " + path + " belongs to another user (uid "
                                + std::to_string(status.st_uid) + "); not connecting to it");

    // The process listening there must be an office: a bridge fed with
    // anything else can crash the UNO runtime. A socket nobody listens on
    // is left to the connection attempt, which then starts the office.
    const int probe = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ucred peer{};
    socklen_t size = sizeof peer;
    const bool listening = connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
                           && getsockopt(probe, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0;
    close(probe);
    if (!listening)
        return;
    std::error_code error;
    const std::filesystem::path program =
        std::filesystem::read_symlink("/proc/" + std::to_string(peer.pid) + "/exe", error);
    if (error || program.filename() != "soffice.bin")
        throw DocumentLinkError("what listens on the office's pipe " + path + " is not an office ("
                                + (error ? "process " + std::to_string(peer.pid) : program.string())
                                + "); not connecting to it");
}

// Disposes a bridge whose handshake has not finished within a bound, which
// wakes the call waiting on it. The watch's own thread ends with the watch.
class HandshakeWatch {
public:
    HandshakeWatch(OfficeConnection& connection, std::chrono::milliseconds bound)
        : thread_([this, &connection, bound] {
              std::unique_lock lock(mutex_);
              if (!changed_.wait_for(lock, bound, [this] { return done_; })) {
                  fired_ = true;
                  lock.unlock();
                  connection.Dispose();
              }
          })
    {
    }
    ~HandshakeWatch()
    {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    bool Fired()
    {
        std::lock_guard lock(mutex_);
        return fired_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false;
    bool fired_ = false;
    std::thread thread_;
};

} // namespace

std::shared_ptr<OfficeConnection> OfficeConnection::Connect(const std::string& pipeName,
                                                            std::chrono::milliseconds handshakeBound,
                                                            std::shared_ptr<Traffic> traffic)
{
    CheckSocket(pipeName);
    const Reference<uno::XComponentContext> local = LocalContext();
    Reference<connection::XConnection> pipe =
        connection::Connector::create(local)->connect(ToOUString("pipe,name=" + pipeName));
    if (traffic) {
        ++traffic->connections;
        pipe = new CountingConnection(pipe, traffic);
    }

    std::shared_ptr<OfficeConnection> result(new OfficeConnection);
    // An anonymous bridge: every connection gets its own. The handshake
    // calls through this reference of its own, never through bridge_: the
    // watch may dispose of the connection, and so release bridge_, from its
    // thread while getInstance is still running inside the bridge.
    const Reference<bridge::XBridge> bridge =
        bridge::BridgeFactory::create(local)->createBridge(OUString(), OUString("urp"), pipe, nullptr);
    result->bridge_ = bridge;
    Reference<lang::XComponent>(bridge, uno::UNO_QUERY_THROW)->addEventListener(new BridgeWatcher(result->lost_));

    HandshakeWatch watch(*result, handshakeBound);
    try {
        result->context_.set(bridge->getInstance(OUString("StarOffice.ComponentContext")), uno::UNO_QUERY);
        if (!result->context_.is())
            throw uno::RuntimeException(OUString("the office offers no component context"));
        result->desktop_ = frame::Desktop::create(result->context_);
    } catch (const uno::Exception&) {
        result->Dispose();
        if (watch.Fired())
            throw DocumentLinkError("what listens on the office's pipe \"" + pipeName
                                    + "\" did not answer as an office within "
                                    + std::to_string(handshakeBound.count()) + " ms");
        throw;
    }
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
