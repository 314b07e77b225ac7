#include "CatalogueTexts.h"
#include "HeadlessOffice.h"
#include "LibreOfficeDocumentLink.h"
#include "StripCells.h"

#include <QProcess>
#include <QTest>

#include <QElapsedTimer>

#include <fstream>

#include <atomic>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using doclink::DocumentLinkError;
using doclink::LibreOfficeDocumentLink;
using doclink::testing::HeadlessOffice;
using doclink::testing::HeadlessOfficeOptions;
using doclink::testing::Paragraph;
using doclink::testing::Portion;

namespace {

const std::u16string kDiza = u"Al-DizaDorvan";
const std::u16string kZavura = u"Al-ZavuraDorvan";
const std::u16string kArabic = u"Traditional Arabic";
// The test documents set complex-script text in this font by style, so that
// "Traditional Arabic" in a portion can only come from the link.
const std::u16string kStyleFont = u"DejaVu Sans";

// One click of the palette, the user typing, or the user moving the
// insertion point back (or selecting backwards) by a number of characters.
struct Step {
    enum Kind { Click, Key, Back, Select } kind;
    std::u16string text;
    std::u16string font;
    bool deleteFirst = false;
    int count = 0;
};
Step Click(std::u16string text, std::u16string font, bool deleteFirst = false)
{
    return {Step::Click, std::move(text), std::move(font), deleteFirst};
}
Step Key(std::u16string text)
{
    return {Step::Key, std::move(text)};
}
Step Back(int count)
{
    return {Step::Back, {}, {}, false, count};
}
Step Select(int count)
{
    return {Step::Select, {}, {}, false, count};
}

// Every cell of the catalogue in file order, cell 14 deleting first.
std::vector<Step> CatalogueClicks()
{
    std::vector<Step> clicks;
    for (const auto& cell : doclink::testing::ReadCatalogue())
        clicks.push_back(Click(cell.text, cell.font, cell.index == 14));
    return clicks;
}

// What the document holds after a run of steps, and what the insertion
// point would type in after each of them.
struct Outcome {
    std::string flatBody;
    std::vector<std::u16string> cursorFonts;
    std::vector<std::u16string> undoTitles;
};

using Document = std::vector<Paragraph>;

// The threads of this process.
int ThreadCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

// Where the UNO runtime puts the socket of the named pipe `name`.
std::string SocketPath(const std::string& name)
{
    return "/tmp/OSL_PIPE_" + std::to_string(getuid()) + "_" + name;
}

// A Unix socket listening at `path`; nothing accepts on it.
int Listen(const std::string& path)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 8) != 0)
        qFatal("cannot listen on %s", path.c_str());
    return fd;
}

// Neighbouring portions in the same font as one: how Writer splits a
// paragraph into portions is not what the tests are about.
Document Merged(const Document& document)
{
    Document result;
    for (const Paragraph& paragraph : document) {
        Paragraph& merged = result.emplace_back();
        for (const Portion& portion : paragraph) {
            if (!merged.empty() && merged.back().complexFont == portion.complexFont)
                merged.back().text += portion.text;
            else
                merged.push_back(portion);
        }
    }
    return result;
}

QString Describe(const Document& document)
{
    QStringList paragraphs;
    for (const Paragraph& paragraph : document) {
        QStringList portions;
        for (const Portion& portion : paragraph)
            portions << QStringLiteral("\"%1\" in %2")
                            .arg(QString::fromStdU16String(portion.text),
                                 QString::fromStdU16String(portion.complexFont));
        paragraphs << QStringLiteral("[%1]").arg(portions.join(QStringLiteral(", ")));
    }
    return paragraphs.join(QStringLiteral(" / "));
}

LibreOfficeDocumentLink::Options OptionsFor(const HeadlessOffice& office)
{
    LibreOfficeDocumentLink::Options options;
    options.pipeName = office.PipeName();
    return options;
}

} // namespace

Q_DECLARE_METATYPE(std::vector<Step>)
Q_DECLARE_METATYPE(Document)

// Every test here drives one real headless office, started once for the
// executable; the tests that kill or freeze it bring it back.
class TestLibreOfficeDocumentLink : public QObject {
    Q_OBJECT

    std::optional<HeadlessOffice> office_;

    // False, with the test failed, when a step throws. With `outcome`, the
    // cursor's font after every step is recorded there.
    bool Run(doclink::DocumentLink& link, const std::vector<Step>& steps, Outcome* outcome = nullptr)
    {
        try {
            for (const Step& step : steps) {
                switch (step.kind) {
                case Step::Click:
                    // The text doubles as the undo step's title.
                    link.TypeInFont(step.text, step.font, step.deleteFirst, step.text);
                    break;
                case Step::Key: office_->TypeAtCursor(step.text); break;
                case Step::Back: office_->MoveBack(step.count); break;
                case Step::Select: office_->SelectBack(step.count); break;
                }
                if (outcome)
                    outcome->cursorFonts.push_back(office_->CursorComplexFont());
            }
            return true;
        } catch (const std::exception& error) {
            QTest::qFail(error.what(), __FILE__, __LINE__);
            return false;
        }
    }

    void Compare(const Document& expected)
    {
        const Document actual = Merged(office_->Paragraphs());
        QVERIFY2(
            actual == Merged(expected),
            qPrintable(
                QStringLiteral("document holds %1\n   expected %2").arg(Describe(actual), Describe(expected))));
    }

private slots:
    void initTestCase()
    {
        // The office has the insertion component, so links type through it
        // unless told otherwise.
        office_.emplace("doclink-test", HeadlessOfficeOptions{.withExtension = true});
        office_->Start();
    }

    void cleanupTestCase() { office_.reset(); }

    void init() { office_->OpenBlankDocument(kStyleFont); }

    void cleanup() { office_->CloseDocuments(); }

    void typesInTheFontAndReturnsToTheTextFont_data()
    {
        QTest::addColumn<std::vector<Step>>("steps");
        QTest::addColumn<Document>("expected");

        QTest::newRow("cell, then the keyboard")
            << std::vector{Click(u"حمس ", kDiza), Key(u"ب")} << Document{{{u"حمس ", kDiza}, {u"ب", kArabic}}};
        QTest::newRow("spaces and a lone mark are kept")
            << std::vector{Click(u" ع ", kZavura), Click(u"\u0650", kDiza)}
            << Document{{{u" ع ", kZavura}, {u"\u0650", kDiza}}};
        QTest::newRow("the same cell twice")
            << std::vector{Click(u" ع ", kZavura), Click(u" ع ", kZavura)} << Document{{{u" ع  ع ", kZavura}}};
        QTest::newRow("weak characters in a right-to-left paragraph")
            << std::vector{Click(u"\\", kDiza), Click(u"+", kDiza), Click(u"!", kArabic), Click(u"÷", kDiza)}
            << Document{{{u"\\+", kDiza}, {u"!", kArabic}, {u"÷", kDiza}}};
        QTest::newRow("new line cell starts a paragraph")
            << std::vector{Click(u"{س،ص}", kDiza), Click(u"\r", kArabic), Click(u" جد ", kDiza), Key(u"س")}
            << Document{{{u"{س،ص}", kDiza}}, {{u" جد ", kDiza}, {u"س", kArabic}}};
        QTest::newRow("paragraph break inside a text")
            << std::vector{Click(u"ا\rب", kDiza)} << Document{{{u"ا", kDiza}}, {{u"ب", kDiza}}};
        QTest::newRow("cell 14 deletes one character, then types")
            << std::vector{Key(u"سص"), Click(u" يم ", kDiza, true)}
            << Document{{{u"س", kStyleFont}, {u" يم ", kDiza}}};
        QTest::newRow("an empty cell 14 only deletes")
            << std::vector{Click(u" ع ", kZavura), Click(u"", kZavura, true), Key(u"ن")}
            << Document{{{u" ع", kZavura}, {u"ن", kArabic}}};
        QTest::newRow("a combining mark is one character to delete")
            << std::vector{Key(u"سِ"), Click(u"", kArabic, true)} << Document{{{u"س", kStyleFont}}};
        QTest::newRow("delete at a paragraph start joins the paragraphs")
            << std::vector{Key(u"س"), Click(u"\r", kArabic), Click(u"", kArabic, true)}
            << Document{{{u"س", kStyleFont}}};
        QTest::newRow("delete at the start of the text does nothing")
            << std::vector{Click(u"", kArabic, true), Click(u"\u0622", kDiza)} << Document{{{u"\u0622", kDiza}}};
        QTest::newRow("an empty text only switches the font")
            << std::vector{Click(u"", kDiza), Key(u"ن")} << Document{{{u"ن", kArabic}}};
    }

    void typesInTheFontAndReturnsToTheTextFont()
    {
        QFETCH(std::vector<Step>, steps);
        QFETCH(Document, expected);
        LibreOfficeDocumentLink link(OptionsFor(*office_));
        if (Run(link, steps))
            Compare(expected);
    }

    // Wherever the insertion point is, a click changes only what it inserts:
    // the text around keeps its font, the inserted text has the click's, and
    // the next typed character comes in the text font.
    void changesNothingButTheInsertedText_data()
    {
        QTest::addColumn<std::vector<Step>>("steps");
        QTest::addColumn<Document>("expected");
        const std::u16string s = kStyleFont;

        QTest::newRow("start of an Arabic word")
            << std::vector{Key(u"س مرحبا"), Back(5), Click(u"+", kDiza), Key(u"ن")}
            << Document{{{u"س ", s}, {u"+", kDiza}, {u"ن", kArabic}, {u"مرحبا", s}}};
        QTest::newRow("middle of an Arabic word, a sign")
            << std::vector{Key(u"مرحبا"), Back(2), Click(u"+", kDiza), Key(u"ن")}
            << Document{{{u"مرح", s}, {u"+", kDiza}, {u"ن", kArabic}, {u"با", s}}};
        QTest::newRow("middle of an Arabic word, a letter-like symbol")
            << std::vector{Key(u"مرحبا"), Back(2), Click(u"آ", kDiza), Key(u"ن")}
            << Document{{{u"مرح", s}, {u"آ", kDiza}, {u"ن", kArabic}, {u"با", s}}};
        QTest::newRow("middle of a word in the text font")
            << std::vector{Click(u"مرحبا", kArabic), Back(2), Click(u"آ", kDiza), Key(u"ن")}
            << Document{{{u"مرح", kArabic}, {u"آ", kDiza}, {u"نبا", kArabic}}};
        QTest::newRow("end of an Arabic word")
            << std::vector{Key(u"مرحبا ص"), Back(2), Click(u"آ", kDiza), Key(u"ن")}
            << Document{{{u"مرحبا", s}, {u"آ", kDiza}, {u"ن", kArabic}, {u" ص", s}}};
        QTest::newRow("middle of a Latin word, a multi-character text")
            << std::vector{Key(u"hello"), Back(2), Click(u" ع ", kZavura), Key(u"ن")}
            << Document{{{u"hel", s}, {u" ع ", kZavura}, {u"ن", kArabic}, {u"lo", s}}};
        QTest::newRow("between digits") << std::vector{Key(u"1234"), Back(2), Click(u"÷", kDiza), Key(u"ن")}
                                        << Document{{{u"12", s}, {u"÷", kDiza}, {u"ن", kArabic}, {u"34", s}}};
        QTest::newRow("between two spaces") << std::vector{Key(u"س  ص"), Back(2), Click(u"+", kDiza), Key(u"ن")}
                                            << Document{{{u"س ", s}, {u"+", kDiza}, {u"ن", kArabic}, {u" ص", s}}};
        QTest::newRow("a selection inside a word")
            << std::vector{Key(u"مرحبا"), Back(1), Select(2), Click(u"+", kDiza), Key(u"ن")}
            << Document{{{u"مر", s}, {u"+", kDiza}, {u"ن", kArabic}, {u"ا", s}}};
        QTest::newRow("a paragraph break inside a word")
            << std::vector{Key(u"مرحبا"), Back(2), Click(u"ا\rب", kDiza), Key(u"ن")}
            << Document{{{u"مرح", s}, {u"ا", kDiza}}, {{u"ب", kDiza}, {u"ن", kArabic}, {u"با", s}}};
        QTest::newRow("cell 14 inside a word")
            << std::vector{Key(u"مرحبا"), Back(2), Click(u" يم ", kDiza, true), Key(u"ن")}
            << Document{{{u"مر", s}, {u" يم ", kDiza}, {u"ن", kArabic}, {u"با", s}}};
        QTest::newRow("an empty text inside a word")
            << std::vector{Key(u"مرحبا"), Back(2), Click(u"", kDiza), Key(u"ن")}
            << Document{{{u"مرح", s}, {u"ن", kArabic}, {u"با", s}}};
    }

    void changesNothingButTheInsertedText()
    {
        QFETCH(std::vector<Step>, steps);
        QFETCH(Document, expected);
        LibreOfficeDocumentLink link(OptionsFor(*office_));
        if (Run(link, steps))
            Compare(expected);
    }

    // Every cell of the catalogue in a row, checked against a plain model of
    // what the clicks must leave: each text in its font, cell 14's deletions
    // taking back one character.
    void typesTheWholeCatalogue()
    {
        std::u16string text;
        std::vector<std::u16string> fonts; // one per character of `text`
        const std::vector<Step> clicks = CatalogueClicks();
        for (const Step& click : clicks) {
            if (click.deleteFirst && !text.empty()) {
                text.pop_back();
                fonts.pop_back();
            }
            text += click.text;
            fonts.insert(fonts.end(), click.text.size(), click.font);
        }
        Paragraph expected;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (expected.empty() || expected.back().complexFont != fonts[i])
                expected.push_back({{}, fonts[i]});
            expected.back().text += text[i];
        }
        LibreOfficeDocumentLink link(OptionsFor(*office_));
        if (Run(link, clicks))
            Compare({expected});
    }

    // The component inside the office and the steps over the bridge must
    // leave the same document, attribute for attribute, the same font
    // waiting at the insertion point after every step, and the same undo
    // list.
    void bothPathsLeaveTheSameDocument_data()
    {
        QTest::addColumn<std::vector<Step>>("steps");
        QTest::newRow("whole catalogue") << CatalogueClicks();
        std::vector<Step> strip{Key(u"سص")};
        for (const palette::StripCell& cell : palette::kStripCells)
            strip.push_back(Click(std::u16string(cell.text), std::u16string(cell.font), cell.deleteFirst));
        strip.push_back(Key(u"ن"));
        QTest::newRow("editing strip") << strip;
        QTest::newRow("selections") << std::vector{Key(u"سصعن"),
                                                   Select(2),
                                                   Click(u" ع ", kZavura),
                                                   Select(1),
                                                   Click(u"", kDiza, true),
                                                   Select(1),
                                                   Click(u"", kDiza),
                                                   Key(u"ب"),
                                                   Select(2),
                                                   Click(u"حمس ", kDiza, true)};
        QTest::newRow("inside a word") << std::vector{Key(u"مرحبا"), Back(2), Click(u" يم ", kDiza, true),
                                                      Click(u"ا\rب", kZavura), Key(u"ن")};
    }

    void bothPathsLeaveTheSameDocument()
    {
        QFETCH(std::vector<Step>, steps);
        Outcome outcomes[2];
        const bool throughComponent[2] = {true, false};
        for (int path = 0; path < 2; ++path) {
            if (path > 0) {
                office_->CloseDocuments();
                office_->OpenBlankDocument(kStyleFont);
            }
            LibreOfficeDocumentLink::Options options = OptionsFor(*office_);
            options.useInsertionComponent = throughComponent[path];
            LibreOfficeDocumentLink link(options);
            if (!Run(link, steps, &outcomes[path]))
                return;
            QCOMPARE(link.TypedThroughComponent(), throughComponent[path]);
            QVERIFY(!office_->ControllersLocked());
            outcomes[path].flatBody = office_->FlatBody();
            outcomes[path].undoTitles = office_->UndoTitles();
        }
        QCOMPARE(outcomes[0].flatBody, outcomes[1].flatBody);
        QVERIFY(outcomes[0].cursorFonts == outcomes[1].cursorFonts);
        QVERIFY(outcomes[0].undoTitles == outcomes[1].undoTitles);
    }

    // The link alone in its process, as the palette is, keeps one connection
    // over a burst of clicks, and through the component makes one round trip
    // per click.
    void keepsOneConnectionAcrossClicks_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("component") << QStringLiteral("component");
        QTest::newRow("remote") << QStringLiteral("remote");
    }

    void keepsOneConnectionAcrossClicks()
    {
        QFETCH(QString, path);
        QProcess clicks;
        clicks.start(QStringLiteral(GLYPHBOARD_LINK_CLICKS), {QString::fromStdString(office_->PipeName()), path,
                                                              QStringLiteral("50"), QStringLiteral("1")});
        QVERIFY2(clicks.waitForFinished(120000), "the clicking program did not finish");
        QVERIFY2(clicks.exitCode() == 0, clicks.readAllStandardError().constData());
        QMap<QString, QString> report;
        for (const QByteArray& line : clicks.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() == 2 && fields[0] != "click")
                report[QString::fromUtf8(fields[0])] = QString::fromUtf8(fields[1]);
        }
        QCOMPARE(report.value(QStringLiteral("path")), path);
        QCOMPARE(report.value(QStringLiteral("connections")), QStringLiteral("1"));
        if (path == QStringLiteral("component"))
            QCOMPARE(report.value(QStringLiteral("round-trips")).toDouble(), 1.0);
    }

    void aSelectionIsReplacedByTheText()
    {
        LibreOfficeDocumentLink link(OptionsFor(*office_));
        office_->TypeAtCursor(u"سص");
        office_->SelectBack(1);
        link.TypeInFont(u" ع ", kZavura, false, u"");
        Compare({{{u"س", kStyleFont}, {u" ع ", kZavura}}});
    }

    void failsWithoutADocumentAndRecovers()
    {
        LibreOfficeDocumentLink link(OptionsFor(*office_));
        office_->CloseDocuments();
        try {
            link.TypeInFont(u"حمس ", kDiza, false, u"");
            QFAIL("typed without a document");
        } catch (const DocumentLinkError& error) {
            QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("no document")), error.what());
        }
        office_->OpenBlankDocument(kStyleFont);
        link.TypeInFont(u"حمس ", kDiza, false, u"");
        Compare({{{u"حمس ", kDiza}}});
    }

    // A document the user cannot edit is left alone, with a failure.
    void refusesWhatTheUserCannotEdit_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("message");
        QTest::newRow("read-only document") << true << QStringLiteral("read-only");
        QTest::newRow("protected section") << false << QStringLiteral("protected");
    }

    void refusesWhatTheUserCannotEdit()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, message);
        LibreOfficeDocumentLink link(OptionsFor(*office_));
        if (readOnly)
            office_->OpenReadOnlyDocument();
        else
            office_->TypeProtectedSection(u"س");
        const Document before = office_->Paragraphs();
        for (const bool deleteFirst : {false, true}) {
            try {
                link.TypeInFont(u"حمس ", kDiza, deleteFirst, u"");
                QFAIL("typed into a place the user cannot edit");
            } catch (const DocumentLinkError& error) {
                QVERIFY2(QString::fromUtf8(error.what()).contains(message), error.what());
            }
            Compare(before);
        }
    }

    void failsWhenNoOfficeCanBeReached_data()
    {
        QTest::addColumn<QStringList>("startCommand");
        QTest::addColumn<QString>("message");
        QTest::newRow("no start command") << QStringList{} << QStringLiteral("nothing listens");
        QTest::newRow("office program missing")
            << QStringList{QStringLiteral("/nonexistent/soffice")} << QStringLiteral("cannot be started");
        QTest::newRow("started program never listens")
            << QStringList{QStringLiteral("true")} << QStringLiteral("within");
    }

    void failsWhenNoOfficeCanBeReached()
    {
        QFETCH(QStringList, startCommand);
        QFETCH(QString, message);
        LibreOfficeDocumentLink::Options options;
        options.pipeName = "glyphboard-doclink-nobody-" + std::to_string(QCoreApplication::applicationPid());
        for (const QString& argument : startCommand)
            options.startCommand.push_back(argument.toStdString());
        options.startBound = std::chrono::milliseconds(1000);
        LibreOfficeDocumentLink link(options);
        for (int click = 0; click < 2; ++click) {
            try {
                link.TypeInFont(u"حمس ", kDiza, false, u"");
                QFAIL("typed without an office");
            } catch (const DocumentLinkError& error) {
                QVERIFY2(QString::fromUtf8(error.what()).contains(message), error.what());
            }
        }
    }

    // A hung office costs one failed click, not a hung palette.
    void givesUpOnAFrozenOfficeAndRecovers()
    {
        LibreOfficeDocumentLink::Options options = OptionsFor(*office_);
        options.callBound = std::chrono::seconds(2);
        LibreOfficeDocumentLink link(options);
        link.TypeInFont(u"\u0622", kDiza, false, u"");

        office_->Freeze();
        try {
            link.TypeInFont(u" ع ", kZavura, false, u"");
            office_->Thaw();
            QFAIL("an insertion into a frozen office succeeded");
        } catch (const DocumentLinkError& error) {
            office_->Thaw();
            QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("did not answer")), error.what());
        }

        link.TypeInFont(u"ب", kZavura, false, u"");
        Compare({{{u"\u0622", kDiza}, {u"ب", kZavura}}});
    }

    // Each click comes back with one undo, the text and its fonts as before.
    void eachClickIsOneUndoStep()
    {
        LibreOfficeDocumentLink link(OptionsFor(*office_));
        office_->TypeAtCursor(u"مرحبا");
        office_->MoveBack(2);
        const Document before = office_->Paragraphs();
        link.TypeInFont(u"+", kDiza, false, u"زائد");
        link.TypeInFont(u" يم ", kDiza, true, u"حذف وكتابة");
        link.TypeInFont(u"ا\rب", kZavura, false, u"سطران");
        QCOMPARE(office_->UndoTitles().at(0), std::u16string(u"سطران"));
        QCOMPARE(office_->UndoTitles().at(2), std::u16string(u"زائد"));
        office_->Undo(3);
        Compare(before);
    }

    // The office freezes at each call of a click in turn, the click is given
    // up, and the office wakes up: the click shows whole or not at all, and
    // the next click and the keyboard carry on in the right fonts. Through
    // the component, the office wakes up to the whole click and the link
    // takes it back.
    void aFrozenOfficeNeverKeepsHalfAClick_data()
    {
        QTest::addColumn<bool>("throughComponent");
        QTest::addColumn<int>("fewestCalls");
        QTest::newRow("component") << true << 2;
        QTest::newRow("remote") << false << 6;
    }

    void aFrozenOfficeNeverKeepsHalfAClick()
    {
        QFETCH(bool, throughComponent);
        QFETCH(int, fewestCalls);
        std::atomic<int> calls = 0;
        std::atomic<int> freezeAt = 0;
        LibreOfficeDocumentLink::Options options = OptionsFor(*office_);
        options.useInsertionComponent = throughComponent;
        options.callBound = std::chrono::seconds(1);
        options.beforeEachCall = [&] {
            if (++calls == freezeAt)
                office_->Freeze();
        };
        {
            LibreOfficeDocumentLink counting(options);
            counting.TypeInFont(u" ع ", kZavura, false, u"عين");
        }
        const int callsPerClick = calls;
        QVERIFY(callsPerClick >= fewestCalls);

        for (int at = 1; at <= callsPerClick; ++at) {
            office_->CloseDocuments();
            office_->OpenBlankDocument(kStyleFont);
            office_->TypeAtCursor(u"مرحبا");
            office_->MoveBack(2);
            LibreOfficeDocumentLink link(options);
            calls = 0;
            freezeAt = at;
            bool succeeded = false;
            try {
                link.TypeInFont(u" ع ", kZavura, true, u"عين");
                succeeded = true;
                office_->Thaw();
            } catch (const DocumentLinkError& error) {
                office_->Thaw();
                QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("did not answer")), error.what());
            }
            freezeAt = 0;
            link.TypeInFont(u"ب", kDiza, false, u"باء");
            office_->TypeAtCursor(u"ن");
            const Document nothing{{{u"مرح", kStyleFont}, {u"ب", kDiza}, {u"ن", kArabic}, {u"با", kStyleFont}}};
            const Document whole{
                {{u"مر", kStyleFont}, {u" ع ", kZavura}, {u"ب", kDiza}, {u"ن", kArabic}, {u"با", kStyleFont}}};
            const Document actual = Merged(office_->Paragraphs());
            QVERIFY2(actual == Merged(whole) || (!succeeded && actual == Merged(nothing)),
                     qPrintable(QStringLiteral("frozen at call %1: %2").arg(at).arg(Describe(actual))));
        }
    }

    // A pipe that is not the user's office: a clear message within a short
    // bound, the office not started where another user owns the pipe, and
    // no thread left behind.
    void refusesAPipeThatIsNotTheUsersOffice_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("a file that is not a socket") << QStringLiteral("file") << QStringLiteral("not a socket");
        QTest::newRow("a socket of another user") << QStringLiteral("foreign") << QStringLiteral("another user");
        QTest::newRow("a listener that never answers")
            << QStringLiteral("silent") << QStringLiteral("is not an office");
        QTest::newRow("a listener that sends junk") << QStringLiteral("junk") << QStringLiteral("is not an office");
        QTest::newRow("a stale socket") << QStringLiteral("stale") << QStringLiteral("nothing listens");
    }

    void refusesAPipeThatIsNotTheUsersOffice()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        const std::string pipe = "glyphboard-doclink-foreign-" + std::to_string(QCoreApplication::applicationPid());
        const std::string path = SocketPath(pipe);
        const std::string started = path + "-started";
        std::filesystem::remove(path);
        std::filesystem::remove(started);

        int listener = -1;
        std::thread junk;
        if (kind == QLatin1String("file")) {
            std::ofstream(path) << "not a socket";
        } else {
            listener = Listen(path);
            if (kind == QLatin1String("foreign"))
                QVERIFY(chown(path.c_str(), 65534, 65534) == 0);
            if (kind == QLatin1String("stale")) {
                close(listener);
                listener = -1;
            }
            if (kind == QLatin1String("junk")) {
                junk = std::thread([listener] {
                    const int peer = accept(listener, nullptr, nullptr);
                    const char garbage[] = "HTTP/1.0 200 OK\r\n\r\nthis is not an office at all";
                    for (int i = 0; i < 50 && peer >= 0; ++i)
                        if (send(peer, garbage, sizeof garbage, MSG_NOSIGNAL) < 0)
                            break;
                    if (peer >= 0)
                        close(peer);
                });
            }
        }

        LibreOfficeDocumentLink::Options options;
        options.pipeName = pipe;
        options.startCommand = {"touch", started};
        options.startBound = std::chrono::milliseconds(500);
        int threads = -1;
        for (int click = 0; click < 3; ++click) {
            // Counted once the first click's link is gone: what the UNO
            // runtime starts once stays, nothing more may come.
            if (click == 1)
                threads = ThreadCount();
            LibreOfficeDocumentLink link(options);
            QElapsedTimer timer;
            timer.start();
            try {
                link.TypeInFont(u"حمس ", kDiza, false, u"");
                QFAIL("typed through a pipe that is not an office");
            } catch (const DocumentLinkError& error) {
                QVERIFY2(QString::fromUtf8(error.what()).contains(message), error.what());
            }
            QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        }
        // Only a stale socket of the user's own lets the office be started.
        QCOMPARE(std::filesystem::exists(started), kind == QLatin1String("stale"));
        QTRY_COMPARE_WITH_TIMEOUT(ThreadCount(), threads, 5000);

        if (junk.joinable())
            junk.join();
        if (listener >= 0)
            close(listener);
        std::filesystem::remove(path);
        std::filesystem::remove(started);
    }

    // An office that is frozen before a link reaches it: the link's first
    // click gives up the half-made connection within the handshake bound.
    void givesUpAConnectionToAFrozenOffice()
    {
        LibreOfficeDocumentLink link(OptionsFor(*office_));
        QElapsedTimer timer;
        timer.start();
        office_->Freeze();
        try {
            link.TypeInFont(u"حمس ", kDiza, false, u"");
            office_->Thaw();
            QFAIL("typed into a frozen office");
        } catch (const DocumentLinkError& error) {
            office_->Thaw();
            QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("did not answer as an office")),
                     error.what());
        }
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        link.TypeInFont(u"حمس ", kDiza, false, u"");
        Compare({{{u"حمس ", kDiza}}});
    }

    // The office dies after a good insertion: the next click fails, the link
    // starts the office again by itself, and once a document is open again
    // the click after that types.
    void reconnectsAfterTheOfficeWasKilled()
    {
        LibreOfficeDocumentLink::Options options = OptionsFor(*office_);
        options.startCommand = office_->StartCommand();
        options.startBound = std::chrono::seconds(110);
        options.callBound = std::chrono::seconds(120);
        LibreOfficeDocumentLink link(options);
        link.TypeInFont(u"حمس ", kDiza, false, u"");

        office_->Kill();
        try {
            link.TypeInFont(u" ع ", kZavura, false, u"");
            QFAIL("typed into a killed office");
        } catch (const DocumentLinkError& error) {
            // The link brought up a fresh office, which has no document.
            QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("no document")), error.what());
        }

        office_->OpenBlankDocument(kStyleFont);
        link.TypeInFont(u" ع ", kZavura, false, u"");
        Compare({{{u" ع ", kZavura}}});

        // Later tests run on an office of the test's own making again.
        office_->Kill();
        office_->Start();
    }
};

QTEST_GUILESS_MAIN(TestLibreOfficeDocumentLink)
#include "test_libreoffice_document_link.moc"
