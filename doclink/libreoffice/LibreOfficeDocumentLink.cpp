#include "LibreOfficeDocumentLink.h"

#include "BoundedWorker.h"
#include "WriterSession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace doclink {

LibreOfficeDocumentLink::Options LibreOfficeDocumentLink::DefaultOptions(const std::string& pipeName)
{
    Options options;
    options.pipeName = pipeName;
    options.startCommand = {"soffice", "--accept=pipe,name=" + pipeName + ";urp;StarOffice.ComponentContext",
                            "--norestore"};
    return options;
}

LibreOfficeDocumentLink::LibreOfficeDocumentLink(Options options)
    : options_(std::move(options)), session_(std::make_shared<WriterSession>(options_))
{
}

LibreOfficeDocumentLink::~LibreOfficeDocumentLink()
{
    // A worker still busy here waits on an office that froze during a click
    // that was called off already; dropping the connection wakes it, and it
    // ends on its own.
    worker_.reset();
    session_->Close();
}

LibreOfficeDocumentLink::Traffic LibreOfficeDocumentLink::CountedTraffic() const
{
    return session_->CountedTraffic();
}

bool LibreOfficeDocumentLink::TypedThroughComponent() const
{
    return session_->TypedThroughComponent();
}

namespace {

// Waits until `worker` is idle or `deadline` has passed; true when idle.
// On the application's own thread it keeps serving the application's events
// meanwhile (paint, window moves, timers, a close), except user input: the
// window system holds clicks and keys back until the wait is over, and then
// delivers them in their order. The wait also ends when the application is
// told to quit.
bool WaitServingEvents(BoundedWorker& worker, std::chrono::steady_clock::time_point deadline)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread()) {
        return worker.WaitIdle(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()));
    }
    // Most clicks are over in a few milliseconds: no event loop for them.
    if (worker.WaitIdle(std::chrono::milliseconds(50)))
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (worker.WaitIdle(std::chrono::milliseconds(0)) || std::chrono::steady_clock::now() >= deadline)
            loop.quit();
    });
    poll.start(10);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return worker.WaitIdle(std::chrono::milliseconds(0));
}

} // namespace

void LibreOfficeDocumentLink::TypeInFont(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                                         const std::u16string& undoTitle)
{
    // Only user input is held back during a wait, so nothing but a program
    // of our own making can get here while a click waits.
    if (waiting_)
        throw DocumentLinkError("another insertion is still waiting for the office");
    struct Waiting {
        bool& flag;
        explicit Waiting(bool& flag) : flag(flag) { flag = true; }
        ~Waiting() { flag = false; }
    } waiting(waiting_);

    const auto deadline = std::chrono::steady_clock::now() + options_.callBound;
    if (!worker_)
        worker_ = std::make_unique<BoundedWorker>();

    // A click given up earlier may still wait on a frozen office; this one
    // waits its turn within its own bound, and sends nothing before.
    if (!WaitServingEvents(*worker_, deadline))
        throw DocumentLinkError("the office still did not answer a click it was sent before; nothing was sent");

    // The job owns copies of everything it touches: if the office freezes,
    // the job may outlive this call and even this link.
    const auto cancelled = std::make_shared<std::atomic<bool>>(false);
    worker_->Start([session = session_, text, font, deleteFirst, undoTitle, cancelled] {
        session->TypeInFont(text, font, deleteFirst, undoTitle, cancelled);
    });
    if (WaitServingEvents(*worker_, deadline)) {
        worker_->TakeFailure();
        return;
    }

    // The office did not answer in time. The click is called off: it sends
    // nothing more, and if the office wakes up and carries out a call it was
    // sent, the click takes back what it did. Whether anything shows in the
    // document meanwhile is not known here.
    session_->Abort(cancelled);
    throw DocumentLinkError("the office did not answer within " + std::to_string(options_.callBound.count())
                            + " ms; the click was called off and is taken back if the office wakes up");
}

} // namespace doclink
