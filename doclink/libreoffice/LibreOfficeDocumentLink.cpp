#include "LibreOfficeDocumentLink.h"

#include "BoundedWorker.h"
#include "WriterSession.h"

#include <atomic>

namespace doclink {

namespace {

// How long a called-off insertion may take to notice.
constexpr std::chrono::milliseconds kGrace{500};

} // namespace

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
    // A worker still busy here belongs to an insertion that was given up and
    // has been called off already; it ends on its own.
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

void LibreOfficeDocumentLink::TypeInFont(const std::u16string& text, const std::u16string& font,
                                         bool deleteFirst)
{
    if (!worker_)
        worker_ = std::make_unique<BoundedWorker>();
    // The job owns copies of everything it touches: if the office freezes,
    // the job may outlive this call and even this link.
    const auto cancelled = std::make_shared<std::atomic<bool>>(false);
    const bool finished = worker_->Run(
        [session = session_, text, font, deleteFirst, cancelled] {
            session->TypeInFont(text, font, deleteFirst, cancelled);
        },
        options_.callBound);
    if (finished)
        return;

    // The office did not answer in time: the insertion is called off and the
    // connection dropped. A worker still waiting on the office is given up;
    // the next insertion connects afresh on a new one.
    session_->Abort(cancelled);
    if (!worker_->WaitIdle(kGrace))
        worker_.reset();
    throw DocumentLinkError("the office did not answer within "
                            + std::to_string(options_.callBound.count()) + " ms");
}

} // namespace doclink
