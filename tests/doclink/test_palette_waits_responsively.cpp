// The palette while a click waits on an office that does not answer: on a
// real X server (a private Xvfb) the window repaints and moves, and a click
// made meanwhile with the real mouse is held back and typed after the first
// click, in its turn, never inside it and never lost.

#include "Form1.h"
#include "HeadlessOffice.h"
#include "LibreOfficeDocumentLink.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <optional>
#include <string>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

using doclink::testing::HeadlessOffice;
using doclink::testing::Paragraph;

namespace {

// Passes every click on to the real link and counts the clicks that have
// started and ended, to show that a held-back click never runs inside
// another one.
class CountingLink final : public doclink::DocumentLink {
public:
    explicit CountingLink(doclink::DocumentLink& link) : link_(link) { }
    void TypeInFont(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                    const std::u16string& undoTitle) override
    {
        ++started;
        overlapped = overlapped || started != ended + 1;
        try {
            link_.TypeInFont(text, font, deleteFirst, undoTitle);
        } catch (...) {
            ++ended;
            throw;
        }
        ++ended;
    }
    int started = 0;
    int ended = 0;
    bool overlapped = false;

private:
    doclink::DocumentLink& link_;
};

// Counts the paint events of a widget.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestPaletteWaitsResponsively : public QObject {
    Q_OBJECT

    std::optional<HeadlessOffice> office_;

private slots:
    void initTestCase()
    {
        office_.emplace("palette-wait-test");
        office_->Start();
    }

    void cleanupTestCase() { office_.reset(); }

    void repaintsMovesAndHoldsClicksBackWhileAClickWaits()
    {
        office_->OpenBlankDocument(u"DejaVu Sans");
        doclink::LibreOfficeDocumentLink::Options options;
        options.pipeName = office_->PipeName();
        options.callBound = std::chrono::seconds(8);
        doclink::LibreOfficeDocumentLink link(options);
        CountingLink counting(link);
        palette::Form1 form(counting, [] {});
        form.Load();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        PaintCounter painted;
        form.installEventFilter(&painted);

        const auto centre = [&form](const char* name) {
            auto* control = form.findChild<QWidget*>(QString::fromLatin1(name));
            return control->mapTo(&form, control->rect().center());
        };
        const QPoint first = centre("Label1_0");  // "حمس " in Al-DizaDorvan
        const QPoint second = centre("Label2_4"); // "{س،ص}" in Al-DizaDorvan

        int paintsWhileWaiting = 0;
        int startedWhileWaiting = 0;
        QPoint movedTo;
        const QPoint start = form.pos();
        QTimer::singleShot(400, &form, [&] {
            // The real mouse clicks the second cell; the window system
            // holds the click back while the first one waits.
            const QPoint at = form.mapToGlobal(second);
            QProcess::execute(QStringLiteral("xdotool"),
                              {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                               QStringLiteral("click"), QStringLiteral("1")});
            painted.paints = 0;
            form.update();
            form.move(start + QPoint(40, 30));
        });
        QTimer::singleShot(2000, &form, [&] {
            paintsWhileWaiting = painted.paints;
            movedTo = form.pos();
            startedWhileWaiting = counting.started;
            office_->Thaw();
        });

        office_->Freeze();
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, first);
        QCOMPARE(startedWhileWaiting, 1);
        QVERIFY(paintsWhileWaiting > 0);
        QCOMPARE(movedTo, start + QPoint(40, 30));

        // The held-back click comes now, after the first one.
        QTRY_COMPARE_WITH_TIMEOUT(counting.ended, 2, 10000);
        QVERIFY(!counting.overlapped);
        const std::vector<Paragraph> expected{{{u"حمس {س،ص}", u"Al-DizaDorvan"}}};
        const std::vector<Paragraph> actual = office_->Paragraphs();
        QStringList seen;
        for (const Paragraph& paragraph : actual)
            for (const auto& portion : paragraph)
                seen << QString::fromStdU16String(portion.text + u" in " + portion.complexFont);
        QVERIFY2(actual == expected, qPrintable(seen.join(QStringLiteral(" | "))));
    }
};

namespace {

// Starts a private X server, ended with this process however it ends, and
// points DISPLAY at it. Returns its process id, or -1.
pid_t StartXServer()
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        const std::string displayFd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", displayFd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    // Xvfb writes the number of the display it took, then a new line.
    std::string number;
    char c = 0;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (pid < 0 || number.empty())
        return -1;
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return pid;
}

} // namespace

int main(int argc, char* argv[])
{
    const pid_t server = StartXServer();
    if (server < 0) {
        std::fprintf(stderr, "cannot start Xvfb\n");
        return 1;
    }
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    int status = 0;
    {
        QApplication application(argc, argv);
        TestPaletteWaitsResponsively test;
        status = QTest::qExec(&test, argc, argv);
    }
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    return status;
}

#include "test_palette_waits_responsively.moc"
