// The Word link against a fake Word registered in this process.

#include "Check.h"
#include "FakeWord.h"
#include "WordDocumentLink.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

using doclink::DocumentLinkError;
using doclink::WordDocumentLink;
using Log = std::vector<std::string>;

namespace {

// One insertion with delete-first, as the fake logs it: the calls, then the
// releases. The window goes right after it gave the selection, each font
// object right after its put.
const Log kDeleteFirstInsertion = {
    "Global.ActiveDocument get",
    "Document.ActiveWindow get",
    "Window.Selection get",
    "Window released",
    "Selection.TypeBackspace method",
    "Selection.Font get",
    "Font.NameBi put named[-3] \"Al-ZavuraDorvan\"",
    "Font released",
    "Selection.TypeText method \"\\u0633\\u0651 \\u000D\"",
    "Selection.Font get",
    "Font.NameBi put named[-3] \"Traditional Arabic\"",
    "Font released",
    "Selection released",
    "Document released",
};

Log Concat(Log first, const Log& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

void PlainInsertionSetsTheFontTypesAndSetsItBack()
{
    fakeword::Script script;
    fakeword::Registration registration(script);
    {
        WordDocumentLink link;
        // A space and a combining mark inside the text travel unchanged.
        link.TypeInFont(u"\u062D\u0645 \u064B", u"Al-DizaDorvan", false, u"");
        CHECK_EQ(script.log, (Log{
                                 "Global created",
                                 "Global.ActiveDocument get",
                                 "Document.ActiveWindow get",
                                 "Window.Selection get",
                                 "Window released",
                                 "Selection.Font get",
                                 "Font.NameBi put named[-3] \"Al-DizaDorvan\"",
                                 "Font released",
                                 "Selection.TypeText method \"\\u062D\\u0645 \\u064B\"",
                                 "Selection.Font get",
                                 "Font.NameBi put named[-3] \"Traditional Arabic\"",
                                 "Font released",
                                 "Selection released",
                                 "Document released",
                             }));
        script.log.clear();
    }
    // The global object lives as long as the link.
    CHECK_EQ(script.log, (Log{"Global released"}));
}

void DeleteFirstTypesOneBackspaceBeforeTheFont()
{
    fakeword::Script script;
    fakeword::Registration registration(script);
    WordDocumentLink link;
    link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u"");
    CHECK_EQ(script.log, Concat({"Global created"}, kDeleteFirstInsertion));
}

void EmptyTextIsStillSent()
{
    fakeword::Script script;
    fakeword::Registration registration(script);
    WordDocumentLink link;
    link.TypeInFont(u"", u"Al-DizaDorvan", false, u"");
    CHECK(std::find(script.log.begin(), script.log.end(), "Selection.TypeText method \"\"") != script.log.end());
}

void GlobalObjectIsCreatedOnceAndKept()
{
    fakeword::Script script;
    fakeword::Registration registration(script);
    WordDocumentLink link;
    link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u"");
    link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u"");
    CHECK_EQ(script.log, Concat(Concat({"Global created"}, kDeleteFirstInsertion), kDeleteFirstInsertion));
}

// A failing call ends the insertion there: what was done stays done, what
// was taken is released, the error names the call, and the global object
// is kept for the next insertion.
void FailureAtEachCallStopsThereAndReleases()
{
    struct Row {
        int call;
        HRESULT result;
        const char* member;
        Log releases;
    };
    const Row rows[] = {
        {1, DISP_E_EXCEPTION, "Global.ActiveDocument", {}},
        {2, E_FAIL, "Document.ActiveWindow", {"Document released"}},
        {3, RPC_E_CALL_REJECTED, "Window.Selection", {"Window released", "Document released"}},
        {4, DISP_E_EXCEPTION, "Selection.TypeBackspace", {"Selection released", "Document released"}},
        {5, E_FAIL, "Selection.Font", {"Selection released", "Document released"}},
        {6, DISP_E_EXCEPTION, "Font.NameBi", {"Font released", "Selection released", "Document released"}},
        {7, DISP_E_EXCEPTION, "Selection.TypeText", {"Selection released", "Document released"}},
        {8, RPC_E_SERVERCALL_RETRYLATER, "Selection.Font", {"Selection released", "Document released"}},
        {9, E_FAIL, "Font.NameBi", {"Font released", "Selection released", "Document released"}},
    };
    // Where the k-th call stands in the log of a whole insertion.
    const std::size_t callLines[] = {0, 1, 2, 4, 5, 6, 8, 9, 10};

    for (const Row& row : rows) {
        check::CurrentCase() = "FailureAtEachCallStopsThereAndReleases, call " + std::to_string(row.call);
        fakeword::Script script;
        fakeword::Registration registration(script);
        WordDocumentLink link;
        script.failAtCall = row.call;
        script.failWith = row.result;

        const auto error = check::Catch<DocumentLinkError>(
            [&] { link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u""); });
        CHECK(error.has_value());
        if (!error)
            continue;
        const std::string message = error->what();
        CHECK(message.find(row.member) != std::string::npos);
        if (row.result == DISP_E_EXCEPTION)
            CHECK(message.find("no document is open") != std::string::npos);

        // Up to the failing call the log is that of a whole insertion.
        const auto done = kDeleteFirstInsertion.begin() + static_cast<std::ptrdiff_t>(callLines[row.call - 1] + 1);
        CHECK_EQ(script.log,
                 Concat(Concat({"Global created"}, Log(kDeleteFirstInsertion.begin(), done)), row.releases));

        // The next insertion uses the global object already made.
        script.log.clear();
        link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u"");
        CHECK_EQ(script.log, kDeleteFirstInsertion);
    }
    check::CurrentCase() = "FailureAtEachCallStopsThereAndReleases";
}

// When Word has ended since the global object was made (the user closed
// it), the link drops that object instead of failing for ever: before
// anything is done in an insertion it reaches Word afresh at once; later in
// an insertion the click fails and the next one reaches Word afresh.
void WordThatHasEndedIsReachedAfresh()
{
    const HRESULT goneResults[] = {RPC_E_DISCONNECTED, HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)};
    for (const HRESULT gone : goneResults) {
        fakeword::Script script;
        fakeword::Registration registration(script);
        WordDocumentLink link;
        link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u"");

        // Gone when the next insertion asks for the document.
        script.log.clear();
        script.failAtCall = script.calls + 1;
        script.failWith = gone;
        link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u"");
        CHECK_EQ(script.log,
                 Concat({"Global.ActiveDocument get", "Global released", "Global created"}, kDeleteFirstInsertion));

        // Gone in the middle of an insertion, after the backspace and the
        // text: the click fails with what was done left done, the next
        // insertion creates the global object again.
        script.log.clear();
        script.failAtCall = script.calls + 8;
        const auto error = check::Catch<DocumentLinkError>(
            [&] { link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u""); });
        CHECK(error.has_value());
        CHECK_EQ(script.log, Concat(Log(kDeleteFirstInsertion.begin(), kDeleteFirstInsertion.begin() + 10),
                                    {"Selection released", "Document released", "Global released"}));
        script.log.clear();
        link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u"");
        CHECK_EQ(script.log, Concat({"Global created"}, kDeleteFirstInsertion));
    }
}

void PropertyWithoutObjectIsAnError()
{
    fakeword::Script script;
    fakeword::Registration registration(script);
    WordDocumentLink link;
    script.nothingAtCall = 1;
    const auto error =
        check::Catch<DocumentLinkError>([&] { link.TypeInFont(u"x", u"Al-DizaDorvan", false, u""); });
    CHECK(error.has_value());
    CHECK_EQ(script.log, (Log{"Global created", "Global.ActiveDocument get"}));
}

void RefusedCreationIsTriedAgainOnTheNextInsertion()
{
    fakeword::Script script;
    fakeword::Registration registration(script);
    WordDocumentLink link;
    script.refuseCreations = 1;
    const auto error =
        check::Catch<DocumentLinkError>([&] { link.TypeInFont(u"x", u"Al-DizaDorvan", false, u""); });
    CHECK(error.has_value());
    if (error)
        CHECK(std::string(error->what()).find("could not be started") != std::string::npos);
    CHECK_EQ(script.log, (Log{"Global refused"}));

    script.log.clear();
    link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u"");
    CHECK_EQ(script.log, Concat({"Global created"}, kDeleteFirstInsertion));
}

// Without Word, COM knows no Global class; once it is there, the same link
// reaches it.
void WithoutWordTheClassIsNotRegistered()
{
    fakeword::Script script;
    WordDocumentLink link;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const auto error =
            check::Catch<DocumentLinkError>([&] { link.TypeInFont(u"x", u"Al-DizaDorvan", false, u""); });
        CHECK(error.has_value());
        if (error) {
            const std::string message = error->what();
            CHECK(message.find("not registered") != std::string::npos);
            CHECK(message.find("0x80040154") != std::string::npos);
        }
    }

    fakeword::Registration registration(script);
    link.TypeInFont(u"\u0633\u0651 \r", u"Al-ZavuraDorvan", true, u"");
    CHECK_EQ(script.log, Concat({"Global created"}, kDeleteFirstInsertion));
}

// The link initialises COM itself on a thread where nobody has.
void LinkInitialisesComOnItsThread()
{
    std::string message;
    std::thread([&] {
        WordDocumentLink link;
        const auto error =
            check::Catch<DocumentLinkError>([&] { link.TypeInFont(u"x", u"Al-DizaDorvan", false, u""); });
        message = error ? error->what() : "no error";
    }).join();
    CHECK(message.find("0x80040154") != std::string::npos);
}

// Where Word has an undo record, each click is one custom record named
// after the symbol, around all of the click's changes; a click that fails
// halfway still ends its record.
void EachClickIsOneCustomUndoRecord()
{
    fakeword::Script script;
    script.hasUndoRecord = true;
    fakeword::Registration registration(script);
    WordDocumentLink link;
    link.TypeInFont(u"\u0633", u"Al-ZavuraDorvan", true, u"\u0632");
    link.TypeInFont(u"\u0633", u"Al-ZavuraDorvan", true, u"\u0632");
    script.failAtCall = script.calls + 9; // the second NameBi put of a third click
    CHECK(check::Catch<DocumentLinkError>([&] {
              link.TypeInFont(u"\u0633", u"Al-ZavuraDorvan", true, u"\u0632");
          }).has_value());

    // The log of each click from its record's start to its end.
    std::vector<Log> records;
    bool open = false;
    for (const std::string& line : script.log) {
        if (line == "UndoRecord.StartCustomRecord method \"\\u0632\"") {
            CHECK(!open);
            records.emplace_back();
            open = true;
        }
        if (open)
            records.back().push_back(line);
        if (line == "UndoRecord.EndCustomRecord method")
            open = false;
    }
    CHECK(!open);
    CHECK_EQ(records.size(), std::size_t{3});
    const Log whole = {
        "UndoRecord.StartCustomRecord method \"\\u0632\"",
        "Application released",
        "Selection.TypeBackspace method",
        "Selection.Font get",
        "Font.NameBi put named[-3] \"Al-ZavuraDorvan\"",
        "Font released",
        "Selection.TypeText method \"\\u0633\"",
        "Selection.Font get",
        "Font.NameBi put named[-3] \"Traditional Arabic\"",
        "Font released",
        "UndoRecord.EndCustomRecord method",
    };
    CHECK_EQ(records.at(0), whole);
    CHECK_EQ(records.at(1), whole);
    CHECK_EQ(records.at(2).back(), std::string("UndoRecord.EndCustomRecord method"));
}

} // namespace

int main()
{
    // The palette's user-interface thread is a single-threaded apartment.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int status = check::Run({
        {"PlainInsertionSetsTheFontTypesAndSetsItBack", PlainInsertionSetsTheFontTypesAndSetsItBack},
        {"DeleteFirstTypesOneBackspaceBeforeTheFont", DeleteFirstTypesOneBackspaceBeforeTheFont},
        {"EmptyTextIsStillSent", EmptyTextIsStillSent},
        {"GlobalObjectIsCreatedOnceAndKept", GlobalObjectIsCreatedOnceAndKept},
        {"WordThatHasEndedIsReachedAfresh", WordThatHasEndedIsReachedAfresh},
        {"FailureAtEachCallStopsThereAndReleases", FailureAtEachCallStopsThereAndReleases},
        {"PropertyWithoutObjectIsAnError", PropertyWithoutObjectIsAnError},
        {"RefusedCreationIsTriedAgainOnTheNextInsertion", RefusedCreationIsTriedAgainOnTheNextInsertion},
        {"WithoutWordTheClassIsNotRegistered", WithoutWordTheClassIsNotRegistered},
        {"LinkInitialisesComOnItsThread", LinkInitialisesComOnItsThread},
        {"EachClickIsOneCustomUndoRecord", EachClickIsOneCustomUndoRecord},
    });
    CoUninitialize();
    return status;
}
