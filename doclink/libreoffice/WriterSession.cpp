#include "WriterSession.h"

#include "OfficeConnection.h"
#include "UnoStrings.h"

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/connection/NoConnectException.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

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

const OUString kComplexFontProperty("CharFontNameComplex");
constexpr std::chrono::milliseconds kSetupRetry{3000};

// Deletes the character before the collapsed view cursor in logical order,
// as a backspace does; at the start of a paragraph that joins it to the one
// before, at the start of the text it does nothing.
void DeleteCharacterBefore(const Reference<text::XText>& text, const Reference<text::XTextViewCursor>& cursor)
{
    const Reference<text::XTextCursor> before = text->createTextCursorByRange(cursor->getStart());
    if (before->goLeft(1, true))
        before->setString(OUString());
}

// Inserts the text at the view cursor, which moves behind it; every U+000D
// becomes a paragraph break. An empty text makes no call.
template <typename Go>
void InsertAtCursor(const Reference<text::XText>& text, const Reference<text::XTextViewCursor>& cursor,
                    std::u16string_view insertion, Go go)
{
    const Reference<text::XTextRange> at(cursor.get());
    while (!insertion.empty()) {
        const std::size_t end = insertion.find(u'\r');
        const std::u16string_view run = insertion.substr(0, end);
        if (!run.empty())
            text->insertString(at, ToOUString(run), false);
        if (end == std::u16string_view::npos)
            break;
        go();
        text->insertControlCharacter(at, text::ControlCharacter::PARAGRAPH_BREAK, false);
        insertion.remove_prefix(end + 1);
    }
}

// One insertion into the active document. `touched` is set before the first
// call that changes the document, so that a caller knows whether repeating
// the insertion could do anything twice.
void TypeInto(const OfficeConnection& office, std::u16string_view insertion, std::u16string_view font,
              bool deleteFirst, const std::atomic<bool>& cancelled, bool& touched)
{
    // Called before every step that talks to the office.
    const auto go = [&cancelled] {
        if (cancelled)
            throw DocumentLinkError("the insertion was called off");
    };
    go();
    const Reference<text::XTextDocument> document(office.Desktop()->getCurrentComponent(), UNO_QUERY);
    if (!document.is())
        throw DocumentLinkError("no document: the office has no text document open");
    go();
    const Reference<text::XTextViewCursorSupplier> view(
        Reference<frame::XModel>(document, UNO_QUERY_THROW)->getCurrentController(), UNO_QUERY);
    if (!view.is())
        throw DocumentLinkError("no document: the text document has no view to type into");
    go();
    const Reference<text::XTextViewCursor> cursor = view->getViewCursor();
    go();
    const Reference<text::XText> text = cursor->getText();
    const Reference<beans::XPropertySet> cursorProperties(cursor, UNO_QUERY_THROW);
    go();

    // A selected range goes the way typing would take it: it is what the
    // backspace deletes and what the text replaces. With neither, it stays
    // and the insertion point is its end.
    if (!cursor->isCollapsed()) {
        touched = true;
        if (deleteFirst || !insertion.empty())
            cursor->setString(OUString());
        cursor->collapseToEnd();
    } else if (deleteFirst) {
        touched = true;
        DeleteCharacterBefore(text, cursor);
    }

    go();
    touched = true;
    cursorProperties->setPropertyValue(kComplexFontProperty, uno::Any(ToOUString(font)));
    go();
    InsertAtCursor(text, cursor, insertion, go);
    go();
    cursorProperties->setPropertyValue(kComplexFontProperty, uno::Any(ToOUString(kTextFont)));
}

std::string Seconds(std::chrono::milliseconds duration)
{
    return std::to_string((duration.count() + 999) / 1000) + " s";
}

} // namespace

WriterSession::WriterSession(LibreOfficeDocumentLink::Options options) : options_(std::move(options)) {}

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
            TypeInto(*office, text, font, deleteFirst, *cancelled, touched);
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
            office = OfficeConnection::Connect(options_.pipeName);
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
            failure = "the office on pipe \"" + options_.pipeName + "\" dropped the connection: "
                + ToUtf8(error.Message);
        }
        if (cancelled || std::chrono::steady_clock::now() >= deadline)
            throw DocumentLinkError("the office is unreachable: " + failure
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
        throw DocumentLinkError("the office is unreachable and cannot be started: "
                                + options_.startCommand.front() + " does not run");
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
    *cancelled = true;
    std::shared_ptr<OfficeConnection> office;
    {
        std::lock_guard lock(mutex_);
        office = connection_;
    }
    if (office)
        office->Dispose();
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
