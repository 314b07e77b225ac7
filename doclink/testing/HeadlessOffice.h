#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace doclink::office {
class OfficeConnection;
struct Traffic;
} // namespace doclink::office

namespace doclink::testing {

// A run of text with one set of attributes, as the document reports it.
struct Portion {
    std::u16string text;
    std::u16string complexFont; // CharFontNameComplex, the right-to-left font
    bool operator==(const Portion&) const = default;
};
using Paragraph = std::vector<Portion>;

// A headless office for tests and benchmarks, with a throw-away user profile
// and a pipe of its own so that it never meets the user's office or another
// test's. Every office process of that profile is killed on destruction.
// Failures are thrown as std::runtime_error.
// How a test office runs.
struct HeadlessOfficeOptions {
    bool windowed = false;
    bool withExtension = false;
};

class HeadlessOffice {
public:
    // `name` makes the pipe and profile unique together with the process id.
    // A `windowed` office shows its documents in windows on the display the
    // environment names instead of running headless. The office inherits
    // the environment (FONTCONFIG_FILE, DISPLAY) at Start(). With
    // `withExtension`, the office has this build's extension among its
    // bundled ones, so that it offers the insertion component.
    explicit HeadlessOffice(const std::string& name, HeadlessOfficeOptions options = {});
    ~HeadlessOffice();
    HeadlessOffice(const HeadlessOffice&) = delete;
    HeadlessOffice& operator=(const HeadlessOffice&) = delete;

    const std::string& PipeName() const { return pipeName_; }
    // Starts this office listening on the pipe; a link may run it, too.
    std::vector<std::string> StartCommand() const;

    // Runs the start command and waits until the office answers.
    void Start();
    // Waits until an office answers on the pipe.
    void WaitUntilReady(std::chrono::seconds bound = std::chrono::seconds(120));
    // Kills every process of this office at once, as a crash would.
    void Kill();
    // Stops and resumes the office's processes, as a hung office would.
    void Freeze();
    void Thaw();

    // Opens a new untitled right-to-left document, which becomes the active
    // one; its paragraph style sets complex-script text in `styleFont`.
    void OpenBlankDocument(const std::u16string& styleFont = u"Traditional Arabic");
    // Opens the blank document itself, read-only, as the active document.
    void OpenReadOnlyDocument();
    // Types `text` into a new protected section at the insertion point and
    // leaves the insertion point at its end, inside the section.
    void TypeProtectedSection(const std::u16string& text);
    // Opens a new untitled document made from the document or template at
    // `path`, which becomes the active one.
    void OpenNewDocument(const std::string& path);
    void CloseDocuments();

    // The active document's paragraphs with their text portions.
    std::vector<Paragraph> Paragraphs();
    // Types at the insertion point the way the keyboard does, with the
    // attributes in force there.
    void TypeAtCursor(const std::u16string& text);
    // Selects the `count` characters before the insertion point.
    void SelectBack(int count);
    // The right-to-left font that text typed at the insertion point gets.
    std::u16string CursorComplexFont();
    // Whether the active document's controllers are locked.
    bool ControllersLocked();
    // The active document's automatic styles and body as flat ODF XML: what
    // it holds, every attribute included but the random revision marks.
    std::string FlatBody();
    // Moves the insertion point `count` characters back in logical order.
    void MoveBack(int count);
    // Undoes `steps` steps through the active document's undo manager.
    void Undo(int steps);
    // The active document's undo list, the newest step first.
    std::vector<std::u16string> UndoTitles();
    // One bare insertString at the insertion point of the document last
    // opened, and a paragraph break there: what typing costs at least.
    void InsertAtCursor(const std::u16string& text);
    void BreakParagraph();
    // Answers the harness has read from the office so far, its round trips,
    // and the connections it has made.
    long RoundTrips() const;
    long Connections() const;

    // Stores a copy of the document opened last at `path` through the
    // export filter `filter` ("writer8", "MS Word 2007 XML"); it stays open.
    void StoreDocument(const std::string& path, const std::string& filter);
    // Sets a boolean setting ("EmbedFonts") of the document opened last.
    void SetDocumentSetting(const std::string& name, bool value);
    // Opens the document at `path` hidden, exports it as PDF to `pdfPath`
    // and closes it.
    void ExportPdf(const std::string& path, const std::string& pdfPath);

private:
    void Signal(int signal);
    void MarkBack(int count, bool select);
    // The connection to the office, made afresh when it was lost.
    office::OfficeConnection& Connection();

    struct Uno;
    std::string pipeName_;
    std::string profileDir_;
    bool windowed_ = false;
    bool withExtension_ = false;
    std::unique_ptr<Uno> uno_;
    std::shared_ptr<office::Traffic> traffic_;
};

} // namespace doclink::testing
