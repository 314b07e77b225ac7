#pragma once

#include "DocumentLink.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace doclink {

class BoundedWorker;
class WriterSession;

// Types into the active LibreOffice Writer document through a UNO bridge
// over a named pipe. When nothing listens on the pipe it starts the office
// itself and keeps trying for a while. A lost office (killed, closed) drops
// the bridge, so the next insertion connects afresh; an office that does not
// answer is given up after a bound instead of freezing the caller, and the
// insertion then takes itself back if the office wakes up. On the
// application's thread the wait keeps serving paint, move and close events
// and holds user input back until it is over.
class LibreOfficeDocumentLink final : public DocumentLink {
public:
    struct Options {
        std::string pipeName;
        // Program and arguments that make an office listen on the pipe; empty
        // to never start one.
        std::vector<std::string> startCommand;
        // How long to keep trying to connect after starting the office.
        std::chrono::milliseconds startBound{8000};
        // The longest the caller waits for one insertion, connecting included.
        std::chrono::milliseconds callBound{10000};
        // Called on the worker thread before every call into the office, for
        // tests that freeze the office at a chosen call.
        std::function<void()> beforeEachCall;
        // Whether to type through the office's insertion component when the
        // office has it (one call per click); otherwise, and always for an
        // office without it, each step is a call over the bridge.
        bool useInsertionComponent = true;
    };

    // What the link has sent to offices so far. A message read back is the
    // answer to a call that waited for it: one round trip.
    struct Traffic {
        long connections = 0;
        long messagesSent = 0;
        long messagesReceived = 0;
    };

    // The options the palette uses for `pipeName`: start the office on it
    // with "soffice --accept=pipe,name=...;urp;StarOffice.ComponentContext
    // --norestore", which also makes an office already running under the
    // same profile open the pipe.
    static Options DefaultOptions(const std::string& pipeName);

    explicit LibreOfficeDocumentLink(Options options);
    // Drops the bridge and every reference into the office. Call on the
    // thread that made the insertions.
    ~LibreOfficeDocumentLink() override;

    void TypeInFont(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                    const std::u16string& undoTitle) override;

    Traffic CountedTraffic() const;
    // True when the last insertion went through the insertion component.
    bool TypedThroughComponent() const;

private:
    Options options_;
    std::shared_ptr<WriterSession> session_;
    std::unique_ptr<BoundedWorker> worker_;
    // True while an insertion waits for the office.
    bool waiting_ = false;
};

} // namespace doclink
