#include "WriterSession.h"

#include "InsertionService.h"
#include "OfficeConnection.h"
#include "UnoStrings.h"
#include "WriterSteps.h"

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/lang/DisposedException.hpp>

#include <QProcess>
#include <QStringList>

#include <thread>

namespace doclink {

using namespace css;
using rtl::OUString;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using office::OfficeConnection;
using office::ToOUString;
using office::ToUtf8;

namespace {

constexpr std::chrono::milliseconds kSetupRetry{3000};
// How long a new connection may take to hear from the office it reached.
constexpr std::chrono::milliseconds kHandshakeBound{3000};

// One click through the office's insertion component: a single call, which
// runs the same steps inside the office. Returns whether the insertion point
// was collapsed before the click.
bool TypeThroughComponent(const Reference<task::XJob>& insertion, const office::Click& click)
{
    const beans::NamedValue arguments[] = {
        {OUString::createFromAscii(office::insertion::kText), uno::Any(ToOUString(click.text))},
        {OUString::createFromAscii(office::insertion::kFont), uno::Any(ToOUString(click.font))},
        {OUString::createFromAscii(office::insertion::kDeleteFirst), uno::Any(click.deleteFirst)},
        {OUString::createFromAscii(office::insertion::kUndoTitle), uno::Any(ToOUString(click.undoTitle))}};
    bool wasCollapsed = true;
    insertion->execute(uno::Sequence<beans::NamedValue>(arguments, 4)) >>= wasCollapsed;
    return wasCollapsed;
}

std::string Seconds(std::chrono::milliseconds duration)
{
    return std::to_string((duration.count() + 999) / 1000) + " s";
}

} // namespace

WriterSession::WriterSession(LibreOfficeDocumentLink::Options options)
    : options_(std::move(options)), traffic_(std::make_shared<office::Traffic>())
{
}

LibreOfficeDocumentLink::Traffic WriterSession::CountedTraffic() const
{
    return {traffic_->connections, traffic_->messagesSent, traffic_->reads / 2};
}

WriterSession::~WriterSession()
{
    Close();
}

void WriterSession::TypeInFont(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                               const std::u16string& undoTitle, const CancelFlag& cancelled)
{
    // A lost office is noticed at the first call of a click; when nothing has
    // been done yet, the click connects once more and starts over.
    for (int attempt = 0;; ++attempt) {
        const std::shared_ptr<OfficeConnection> office = Connection(*cancelled);
        bool touched = false;
        std::string failure;
        try {
            const office::Click click{text, font, deleteFirst, undoTitle};
            const Reference<task::XJob> insertion =
                options_.useInsertionComponent ? office->Insertion() : Reference<task::XJob>();
            throughComponent_ = insertion.is();
            const auto go = [this, &cancelled = *cancelled] {
                if (options_.beforeEachCall)
                    options_.beforeEachCall();
                if (cancelled)
                    throw DocumentLinkError("the insertion was called off");
            };
            if (insertion.is()) {
                go();
                const bool wasCollapsed = TypeThroughComponent(insertion, click);
                // Called off while the office was at it: the click is taken
                // back whole rather than left to appear after its failure
                // was reported.
                if (*cancelled)
                    office::TakeBack(office->Desktop(), click, wasCollapsed);
                go();
            } else {
                office::StepContext steps;
                steps.go = go;
                steps.touched = &touched;
                // No controller lock over the bridge: a palette that dies or
                // gives up between lock and unlock would leave the view frozen.
                office::TypeIntoActiveDocument(office->Desktop(), click, steps);
            }
            return;
        } catch (const lang::DisposedException& error) {
            failure = ToUtf8(error.Message);
        } catch (const uno::RuntimeException& error) {
            if (office->IsAlive())
                throw DocumentLinkError("the office refused a call: " + ToUtf8(error.Message));
            failure = ToUtf8(error.Message);
        } catch (const uno::Exception& error) {
            throw DocumentLinkError("the office refused a call: " + ToUtf8(error.Message));
        }
        Drop(office);
        if (touched || attempt > 0 || *cancelled)
            throw DocumentLinkError("the connection to the office was lost: " + failure);
    }
}

std::shared_ptr<OfficeConnection> WriterSession::Connection(const std::atomic<bool>& cancelled)
{
    std::shared_ptr<OfficeConnection> stale;
    {
        std::lock_guard lock(mutex_);
        if (connection_ && connection_->IsAlive())
            return connection_;
        stale = connection_;
    }
    Drop(stale);

    // A new bridge is now and then dropped by the office while it is being
    // set up; that is retried for a moment, and for longer after starting
    // the office.
    auto deadline = std::chrono::steady_clock::now() + kSetupRetry;
    bool started = false;
    std::shared_ptr<OfficeConnection> office;
    for (;;) {
        std::string failure;
        try {
            office = OfficeConnection::Connect(options_.pipeName, kHandshakeBound, traffic_);
            break;
        } catch (const connection::NoConnectException&) {
            failure = "nothing listens on pipe \"" + options_.pipeName + "\"";
            if (!started) {
                if (options_.startCommand.empty())
                    throw DocumentLinkError("the office is unreachable: " + failure);
                StartOffice();
                started = true;
                deadline = std::chrono::steady_clock::now() + options_.startBound;
            }
        } catch (const uno::Exception& error) {
            failure =
                "the office on pipe \"" + options_.pipeName + "\" dropped the connection: " + ToUtf8(error.Message);
        }
        if (cancelled || std::chrono::steady_clock::now() >= deadline)
            throw DocumentLinkError(
                "the office is unreachable: " + failure
                + (started ? " within " + Seconds(options_.startBound) + " of starting it" : ""));
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    std::lock_guard lock(mutex_);
    connection_ = office;
    return office;
}

void WriterSession::StartOffice()
{
    QStringList arguments;
    for (std::size_t i = 1; i < options_.startCommand.size(); ++i)
        arguments << QString::fromStdString(options_.startCommand[i]);
    // Detached and with its output discarded: the office outlives the
    // palette, as a word processor started by hand would.
    QProcess office;
    office.setProgram(QString::fromStdString(options_.startCommand.front()));
    office.setArguments(arguments);
    office.setStandardOutputFile(QProcess::nullDevice());
    office.setStandardErrorFile(QProcess::nullDevice());
    if (!office.startDetached())
        throw DocumentLinkError("the office is unreachable and cannot be started: " + options_.startCommand.front()
                                + " does not run");
}

void WriterSession::Drop(const std::shared_ptr<OfficeConnection>& office)
{
    if (!office)
        return;
    office->Dispose();
    std::lock_guard lock(mutex_);
    if (connection_ == office)
        connection_.reset();
}

void WriterSession::Abort(const CancelFlag& cancelled)
{
    // The connection stays: a call the frozen office was sent returns when
    // it wakes up, and the click then takes back what it did.
    *cancelled = true;
}

void WriterSession::Close()
{
    std::shared_ptr<OfficeConnection> office;
    {
        std::lock_guard lock(mutex_);
        office = std::move(connection_);
    }
    if (office)
        office->Dispose();
}

} // namespace doclink
