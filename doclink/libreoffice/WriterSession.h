#pragma once

#include "LibreOfficeDocumentLink.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

namespace doclink {

namespace office {
class OfficeConnection;
struct Traffic;
} // namespace office

// The UNO side of the link: owns the connection to the office and makes the
// calls of one insertion. Runs on the link's worker thread; Abort() may be
// called from any thread.
class WriterSession {
public:
    explicit WriterSession(LibreOfficeDocumentLink::Options options);
    ~WriterSession();

    // Raised by the caller to call off one insertion.
    using CancelFlag = std::shared_ptr<std::atomic<bool>>;

    // Connects when needed and types the text. Between its calls into the
    // office it checks `cancelled` and stops once it is raised. Throws
    // DocumentLinkError.
    void TypeInFont(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                    const std::u16string& undoTitle, const CancelFlag& cancelled);

    // Calls off the insertion of `cancelled`: it stops waiting for an office
    // to start and makes no further change. A call already waiting on a
    // frozen office finishes when the office wakes up; the insertion then
    // takes back what it did, so that it never shows after its failure.
    void Abort(const CancelFlag& cancelled);

    // Drops the connection and every reference into the office.
    void Close();

    LibreOfficeDocumentLink::Traffic CountedTraffic() const;
    bool TypedThroughComponent() const { return throughComponent_; }

private:
    std::shared_ptr<office::OfficeConnection> Connection(const std::atomic<bool>& cancelled);
    void Drop(const std::shared_ptr<office::OfficeConnection>& connection);
    void StartOffice();

    const LibreOfficeDocumentLink::Options options_;
    const std::shared_ptr<office::Traffic> traffic_;
    std::atomic<bool> throughComponent_{false};
    std::mutex mutex_;
    std::shared_ptr<office::OfficeConnection> connection_;
};

} // namespace doclink
