#include "HeadlessOffice.h"

#include "OfficeConnection.h"
#include "UnoStrings.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/DispatchHelper.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <regex>
#include <set>
#include <stdexcept>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace doclink::testing {

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using office::ToOUString;
using office::ToU16String;
using office::ToUtf8;
using rtl::OUString;

struct HeadlessOffice::Uno {
    std::shared_ptr<office::OfficeConnection> connection;
    // The document opened last: a windowed office makes it the current
    // component only some time after loading it.
    Reference<frame::XModel> document;
    // The insertion point of the document opened last, for bare insertions.
    Reference<text::XText> text;
    Reference<text::XTextRange> cursor;
};

namespace {

// Runs `action`, turning UNO failures into std::runtime_error.
template <typename Action>
auto Checked(const char* what, Action action)
{
    try {
        return action();
    } catch (const uno::Exception& error) {
        throw std::runtime_error(std::string(what) + ": " + ToUtf8(error.Message));
    }
}

beans::PropertyValue Property(const char* name, const uno::Any& value)
{
    beans::PropertyValue property;
    property.Name = OUString::createFromAscii(name);
    property.Value = value;
    return property;
}

// The process ids whose command line names `profileDir`.
std::vector<pid_t> ProcessesUsing(const std::string& profileDir)
{
    std::vector<pid_t> result;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream file(entry.path() / "cmdline", std::ios::binary);
        const std::string commandLine{std::istreambuf_iterator<char>(file), {}};
        if (commandLine.find(profileDir) != std::string::npos)
            result.push_back(static_cast<pid_t>(std::stoi(name)));
    }
    return result;
}

void KillProcessesUsing(const std::string& profileDir)
{
    for (int round = 0; round < 50; ++round) {
        const std::vector<pid_t> processes = ProcessesUsing(profileDir);
        if (processes.empty())
            break;
        for (const pid_t pid : processes)
            kill(pid, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        while (waitpid(-1, nullptr, WNOHANG) > 0) { }
    }
}

// The profiles of the offices alive in this process: an uncaught exception
// ends the process without destructors, and must not leave them running.
std::mutex g_liveMutex;
std::set<std::string> g_liveProfiles;
std::terminate_handler g_previousTerminate = nullptr;

void KillLiveOfficesAndTerminate()
{
    {
        std::lock_guard lock(g_liveMutex);
        for (const std::string& profileDir : g_liveProfiles)
            KillProcessesUsing(profileDir);
    }
    if (g_previousTerminate)
        g_previousTerminate();
    std::abort();
}

} // namespace

HeadlessOffice::HeadlessOffice(const std::string& name, HeadlessOfficeOptions options)
    : pipeName_("glyphboard-" + name + "-" + std::to_string(getpid())),
      profileDir_("/tmp/" + pipeName_ + "-profile"),
      windowed_(options.windowed),
      withExtension_(options.withExtension),
      uno_(std::make_unique<Uno>()),
      traffic_(std::make_shared<office::Traffic>())
{
    std::filesystem::remove_all(profileDir_);
    std::lock_guard lock(g_liveMutex);
    if (g_liveProfiles.empty())
        g_previousTerminate = std::set_terminate(KillLiveOfficesAndTerminate);
    g_liveProfiles.insert(profileDir_);
}

HeadlessOffice::~HeadlessOffice()
{
    try {
        Kill();
    } catch (...) {
    }
    uno_.reset();
    {
        std::lock_guard lock(g_liveMutex);
        g_liveProfiles.erase(profileDir_);
    }
    std::error_code ignored;
    std::filesystem::remove_all(profileDir_, ignored);
}

namespace {

// Makes the office take the folder of this build's unpacked extension as its
// bundled extensions, which it registers while it starts.
const std::string kBundledExtensions = "-env:BUNDLED_EXTENSIONS=file://" GLYPHBOARD_BUNDLED_EXTENSIONS;

} // namespace

std::vector<std::string> HeadlessOffice::StartCommand() const
{
    std::vector<std::string> command{LIBREOFFICE_PROGRAM_DIR "/soffice",
                                     "--nologo",
                                     "--nodefault",
                                     "--norestore",
                                     "--nolockcheck",
                                     "-env:UserInstallation=file://" + profileDir_,
                                     "--accept=pipe,name=" + pipeName_ + ";urp;StarOffice.ComponentContext"};
    if (!windowed_)
        command.insert(command.begin() + 1, {"--headless", "--invisible"});
    if (withExtension_)
        command.push_back(kBundledExtensions);
    return command;
}

namespace {

pid_t Spawn(std::vector<std::string> command)
{
    std::vector<char*> argv;
    for (std::string& argument : command)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot run " + command.front());
    return pid;
}

} // namespace

void HeadlessOffice::Start()
{
    // An office restarts itself once after it has filled a new profile,
    // dropping every connection made before; fill it first and let it end.
    if (!std::filesystem::exists(profileDir_)) {
        std::vector<std::string> fill = {LIBREOFFICE_PROGRAM_DIR "/soffice", "--headless", "--terminate_after_init",
                                         "--norestore", "-env:UserInstallation=file://" + profileDir_};
        if (withExtension_)
            fill.push_back(kBundledExtensions);
        const pid_t filler = Spawn(fill);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while (waitpid(filler, nullptr, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() >= deadline) {
                Kill();
                throw std::runtime_error("the office did not set up its profile " + profileDir_);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    // The launcher hands over to the office process and stays its parent;
    // Kill() reaps it.
    Spawn(StartCommand());
    WaitUntilReady();
}

void HeadlessOffice::WaitUntilReady(std::chrono::seconds bound)
{
    const auto deadline = std::chrono::steady_clock::now() + bound;
    std::string lastError = "nothing listens";
    for (;;) {
        try {
            uno_->connection = office::OfficeConnection::Connect(pipeName_, std::chrono::seconds(30), traffic_);
            return;
        } catch (const uno::Exception& error) {
            lastError = ToUtf8(error.Message);
        }
        if (std::chrono::steady_clock::now() >= deadline)
            throw std::runtime_error("no office answers on pipe " + pipeName_ + ": " + lastError);
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
}

office::OfficeConnection& HeadlessOffice::Connection()
{
    if (!uno_->connection || !uno_->connection->IsAlive())
        WaitUntilReady();
    return *uno_->connection;
}

void HeadlessOffice::Kill()
{
    uno_->document.clear();
    uno_->cursor.clear();
    uno_->text.clear();
    if (uno_->connection)
        uno_->connection->Dispose();
    uno_->connection.reset();
    KillProcessesUsing(profileDir_);
}

void HeadlessOffice::Signal(int signal)
{
    for (const pid_t pid : ProcessesUsing(profileDir_))
        kill(pid, signal);
}

void HeadlessOffice::Freeze()
{
    Signal(SIGSTOP);
}

void HeadlessOffice::Thaw()
{
    Signal(SIGCONT);
}

void HeadlessOffice::OpenNewDocument(const std::string& path)
{
    Checked("cannot open a new document", [&] {
        const Reference<frame::XComponentLoader> loader(Connection().Desktop(), UNO_QUERY_THROW);
        const beans::PropertyValue asTemplate = Property("AsTemplate", uno::Any(true));
        const uno::Sequence<beans::PropertyValue> arguments(&asTemplate, 1);
        const Reference<frame::XModel> document(
            loader->loadComponentFromURL(ToOUString("file://" + path), OUString("_blank"), 0, arguments),
            UNO_QUERY_THROW);
        uno_->document = document;
        const Reference<text::XTextViewCursorSupplier> view(document->getCurrentController(), UNO_QUERY_THROW);
        const Reference<text::XTextViewCursor> cursor = view->getViewCursor();
        uno_->cursor.set(cursor.get());
        uno_->text = cursor->getText();
    });
}

void HeadlessOffice::OpenReadOnlyDocument()
{
    Checked("cannot open a read-only document", [&] {
        const Reference<frame::XComponentLoader> loader(Connection().Desktop(), UNO_QUERY_THROW);
        const beans::PropertyValue readOnly = Property("ReadOnly", uno::Any(true));
        const uno::Sequence<beans::PropertyValue> arguments(&readOnly, 1);
        loader->loadComponentFromURL(ToOUString("file://" GLYPHBOARD_BLANK_DOCUMENT), OUString("_blank"), 0,
                                     arguments);
    });
}

void HeadlessOffice::TypeProtectedSection(const std::u16string& text)
{
    Checked("cannot make a protected section", [&] {
        const Reference<frame::XModel> document(Connection().Desktop()->getCurrentComponent(), UNO_QUERY_THROW);
        const Reference<text::XTextViewCursor> cursor =
            Reference<text::XTextViewCursorSupplier>(document->getCurrentController(), UNO_QUERY_THROW)
                ->getViewCursor();
        const Reference<text::XTextContent> section(Reference<lang::XMultiServiceFactory>(document, UNO_QUERY_THROW)
                                                        ->createInstance(OUString("com.sun.star.text.TextSection")),
                                                    UNO_QUERY_THROW);
        const Reference<text::XText> body = cursor->getText();
        const Reference<text::XTextCursor> at = body->createTextCursorByRange(cursor->getStart());
        at->setString(ToOUString(text));
        body->insertTextContent(Reference<text::XTextRange>(at.get()), section, true);
        Reference<beans::XPropertySet>(section, UNO_QUERY_THROW)
            ->setPropertyValue(OUString("IsProtected"), uno::Any(true));
        cursor->gotoRange(section->getAnchor()->getEnd(), false);
    });
}

void HeadlessOffice::OpenBlankDocument(const std::u16string& styleFont)
{
    OpenNewDocument(GLYPHBOARD_BLANK_DOCUMENT);
    Checked("cannot open a blank document", [&] {
        const Reference<container::XNameAccess> paragraphStyles(
            Reference<style::XStyleFamiliesSupplier>(uno_->document, UNO_QUERY_THROW)
                ->getStyleFamilies()
                ->getByName(OUString("ParagraphStyles")),
            UNO_QUERY_THROW);
        Reference<beans::XPropertySet>(paragraphStyles->getByName(OUString("Standard")), UNO_QUERY_THROW)
            ->setPropertyValue(OUString("CharFontNameComplex"), uno::Any(ToOUString(styleFont)));
    });
}

void HeadlessOffice::CloseDocuments()
{
    uno_->document.clear();
    uno_->cursor.clear();
    uno_->text.clear();
    // The documents of a lost office are gone with it.
    if (!uno_->connection || !uno_->connection->IsAlive())
        return;
    Checked("cannot close the documents", [&] {
        const Reference<container::XEnumeration> components =
            Connection().Desktop()->getComponents()->createEnumeration();
        while (components->hasMoreElements()) {
            const Reference<util::XCloseable> document(components->nextElement(), UNO_QUERY);
            if (document.is())
                document->close(true);
        }
    });
}

std::vector<Paragraph> HeadlessOffice::Paragraphs()
{
    return Checked("cannot read the document", [&] {
        const Reference<text::XTextDocument> document(Connection().Desktop()->getCurrentComponent(),
                                                      UNO_QUERY_THROW);
        std::vector<Paragraph> result;
        const Reference<container::XEnumeration> paragraphs =
            Reference<container::XEnumerationAccess>(document->getText(), UNO_QUERY_THROW)->createEnumeration();
        while (paragraphs->hasMoreElements()) {
            const Reference<container::XEnumerationAccess> paragraph(paragraphs->nextElement(), UNO_QUERY_THROW);
            Paragraph& portions = result.emplace_back();
            const Reference<container::XEnumeration> runs = paragraph->createEnumeration();
            while (runs->hasMoreElements()) {
                const Reference<text::XTextRange> run(runs->nextElement(), UNO_QUERY_THROW);
                const Reference<beans::XPropertySet> properties(run, UNO_QUERY_THROW);
                OUString type;
                properties->getPropertyValue(OUString("TextPortionType")) >>= type;
                // An empty portion only carries the attributes waiting at the
                // insertion point for the next typed text.
                if (type != "Text" || run->getString().isEmpty())
                    continue;
                OUString font;
                properties->getPropertyValue(OUString("CharFontNameComplex")) >>= font;
                portions.push_back({ToU16String(run->getString()), ToU16String(font)});
            }
        }
        return result;
    });
}

void HeadlessOffice::TypeAtCursor(const std::u16string& text)
{
    Checked("cannot type", [&] {
        const Reference<frame::XModel> document(Connection().Desktop()->getCurrentComponent(), UNO_QUERY_THROW);
        const Reference<frame::XDispatchProvider> frame(document->getCurrentController()->getFrame(),
                                                        UNO_QUERY_THROW);
        const beans::PropertyValue typed = Property("Text", uno::Any(ToOUString(text)));
        const uno::Sequence<beans::PropertyValue> arguments(&typed, 1);
        frame::DispatchHelper::create(Connection().Context())
            ->executeDispatch(frame, OUString(".uno:InsertText"), OUString(), 0, arguments);
    });
}

void HeadlessOffice::SelectBack(int count)
{
    MarkBack(count, true);
}

void HeadlessOffice::MoveBack(int count)
{
    MarkBack(count, false);
}

void HeadlessOffice::MarkBack(int count, bool select)
{
    Checked("cannot move the insertion point", [&] {
        const Reference<frame::XModel> document(Connection().Desktop()->getCurrentComponent(), UNO_QUERY_THROW);
        const Reference<frame::XController> controller = document->getCurrentController();
        const Reference<text::XTextViewCursor> cursor =
            Reference<text::XTextViewCursorSupplier>(controller, UNO_QUERY_THROW)->getViewCursor();
        // The model cursor moves in logical order; the view cursor's left
        // would be visual, the other way round in right-to-left text.
        const Reference<text::XTextCursor> range = cursor->getText()->createTextCursorByRange(cursor->getStart());
        range->goLeft(static_cast<sal_Int16>(count), select);
        Reference<view::XSelectionSupplier>(controller, UNO_QUERY_THROW)->select(uno::Any(range));
    });
}

std::u16string HeadlessOffice::CursorComplexFont()
{
    return Checked("cannot read the cursor's font", [&] {
        const Reference<frame::XModel> document(Connection().Desktop()->getCurrentComponent(), UNO_QUERY_THROW);
        const Reference<beans::XPropertySet> cursor(
            Reference<text::XTextViewCursorSupplier>(document->getCurrentController(), UNO_QUERY_THROW)
                ->getViewCursor(),
            UNO_QUERY_THROW);
        OUString font;
        cursor->getPropertyValue(OUString("CharFontNameComplex")) >>= font;
        return ToU16String(font);
    });
}

bool HeadlessOffice::ControllersLocked()
{
    return Checked("cannot ask for the controller lock", [&] {
        const Reference<frame::XModel> document(Connection().Desktop()->getCurrentComponent(), UNO_QUERY_THROW);
        return static_cast<bool>(document->hasControllersLocked());
    });
}

std::string HeadlessOffice::FlatBody()
{
    const std::string file = profileDir_ + "-body.fodt";
    Checked("cannot store the document", [&] {
        const Reference<frame::XStorable> document(Connection().Desktop()->getCurrentComponent(), UNO_QUERY_THROW);
        const beans::PropertyValue filter =
            Property("FilterName", uno::Any(OUString("OpenDocument Text Flat XML")));
        document->storeToURL(ToOUString("file://" + file), uno::Sequence<beans::PropertyValue>(&filter, 1));
    });
    std::ifstream stream(file, std::ios::binary);
    const std::string xml{std::istreambuf_iterator<char>(stream), {}};
    std::filesystem::remove(file);
    const std::size_t begin = xml.find("<office:automatic-styles");
    const std::size_t end = xml.find("</office:body>");
    if (begin == std::string::npos || end == std::string::npos)
        throw std::runtime_error("the stored document has no body");
    // Revision marks are random for every document and say nothing of what
    // it holds.
    static const std::regex revisionMark(R"( officeooo:(paragraph-)?rsid="[0-9a-f]*")");
    return std::regex_replace(xml.substr(begin, end - begin), revisionMark, "");
}

void HeadlessOffice::Undo(int steps)
{
    Checked("cannot undo", [&] {
        const Reference<document::XUndoManager> undo =
            Reference<document::XUndoManagerSupplier>(Connection().Desktop()->getCurrentComponent(),
                                                      UNO_QUERY_THROW)
                ->getUndoManager();
        for (int step = 0; step < steps; ++step)
            undo->undo();
    });
}

std::vector<std::u16string> HeadlessOffice::UndoTitles()
{
    return Checked("cannot read the undo list", [&] {
        const uno::Sequence<OUString> titles = Reference<document::XUndoManagerSupplier>(
                                                   Connection().Desktop()->getCurrentComponent(), UNO_QUERY_THROW)
                                                   ->getUndoManager()
                                                   ->getAllUndoActionTitles();
        std::vector<std::u16string> result;
        for (const OUString& title : titles)
            result.push_back(ToU16String(title));
        return result;
    });
}

void HeadlessOffice::InsertAtCursor(const std::u16string& text)
{
    Checked("cannot insert", [&] { uno_->text->insertString(uno_->cursor, ToOUString(text), false); });
}

long HeadlessOffice::RoundTrips() const
{
    // The bridge reads every message in two pieces, header and body.
    return traffic_->reads / 2;
}

long HeadlessOffice::Connections() const
{
    return traffic_->connections;
}

void HeadlessOffice::BreakParagraph()
{
    Checked("cannot break the paragraph", [&] {
        uno_->text->insertControlCharacter(uno_->cursor, text::ControlCharacter::PARAGRAPH_BREAK, false);
    });
}

void HeadlessOffice::StoreDocument(const std::string& path, const std::string& filter)
{
    Checked("cannot store the document", [&] {
        const Reference<frame::XStorable> document(uno_->document, UNO_QUERY_THROW);
        const beans::PropertyValue filterName = Property("FilterName", uno::Any(ToOUString(filter)));
        document->storeToURL(ToOUString("file://" + path), uno::Sequence<beans::PropertyValue>(&filterName, 1));
    });
}

void HeadlessOffice::SetDocumentSetting(const std::string& name, bool value)
{
    Checked("cannot change a document setting", [&] {
        const Reference<lang::XMultiServiceFactory> document(uno_->document, UNO_QUERY_THROW);
        const Reference<beans::XPropertySet> settings(
            document->createInstance(OUString("com.sun.star.text.DocumentSettings")), UNO_QUERY_THROW);
        settings->setPropertyValue(ToOUString(name), uno::Any(value));
    });
}

void HeadlessOffice::ExportPdf(const std::string& path, const std::string& pdfPath)
{
    Checked("cannot export a PDF", [&] {
        const Reference<frame::XComponentLoader> loader(Connection().Desktop(), UNO_QUERY_THROW);
        const beans::PropertyValue hidden = Property("Hidden", uno::Any(true));
        const Reference<frame::XStorable> document(
            loader->loadComponentFromURL(ToOUString("file://" + path), OUString("_blank"), 0,
                                         uno::Sequence<beans::PropertyValue>(&hidden, 1)),
            UNO_QUERY_THROW);
        const beans::PropertyValue filterName = Property("FilterName", uno::Any(OUString("writer_pdf_Export")));
        document->storeToURL(ToOUString("file://" + pdfPath), uno::Sequence<beans::PropertyValue>(&filterName, 1));
        Reference<util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
    });
}

} // namespace doclink::testing
