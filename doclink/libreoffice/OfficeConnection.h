#pragma once

#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <com/sun/star/uno/Reference.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>

namespace doclink::office {

// What crossed the pipes of a process's connections, counted as the bridge
// reads and writes them: it writes each message whole and reads each in two
// pieces, its header and its body.
struct Traffic {
    std::atomic<long> connections{0};
    std::atomic<long> messagesSent{0};
    std::atomic<long> reads{0};
};

// One UNO bridge to an office listening on a named pipe, with the office's
// component context and desktop. The bridge notices on its own when the
// office goes away; Dispose() may be called from any thread and also wakes
// a call that waits on a frozen office.
class OfficeConnection {
public:
    // Throws css::connection::NoConnectException when nothing listens on the
    // pipe, other UNO exceptions when the office does not answer properly.
    // Throws DocumentLinkError, without connecting, when the pipe's socket is
    // not a socket of this user, and when what listens there does not answer
    // as an office within `handshakeBound`; the half-made bridge is then
    // dropped and none of its threads stays behind. Every connection counts
    // into `traffic`.
    static std::shared_ptr<OfficeConnection>
    Connect(const std::string& pipeName, std::chrono::milliseconds handshakeBound = std::chrono::seconds(10),
            std::shared_ptr<Traffic> traffic = nullptr);

    // Where the office's named pipe `pipeName` lives as a socket file.
    static std::string SocketPath(const std::string& pipeName);

    ~OfficeConnection();
    OfficeConnection(const OfficeConnection&) = delete;
    OfficeConnection& operator=(const OfficeConnection&) = delete;

    // False once the bridge is disposed, by Dispose() or by a lost office.
    bool IsAlive() const { return !*lost_; }
    void Dispose();

    const css::uno::Reference<css::uno::XComponentContext>& Context() const { return context_; }
    const css::uno::Reference<css::frame::XDesktop2>& Desktop() const { return desktop_; }

    // The office's insertion component, looked up at the first call (three
    // round trips) and kept with the connection; empty when the office does
    // not have it.
    css::uno::Reference<css::task::XJob> Insertion();

private:
    OfficeConnection() = default;

    std::shared_ptr<std::atomic<bool>> lost_ = std::make_shared<std::atomic<bool>>(false);
    std::mutex disposeMutex_;
    css::uno::Reference<css::bridge::XBridge> bridge_;
    css::uno::Reference<css::uno::XComponentContext> context_;
    css::uno::Reference<css::frame::XDesktop2> desktop_;
    bool insertionLookedUp_ = false;
    css::uno::Reference<css::task::XJob> insertion_;
};

} // namespace doclink::office
