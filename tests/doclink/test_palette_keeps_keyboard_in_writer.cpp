// The palette as a teacher meets it on a desktop: Writer shows its document
// in a window, a real window manager (openbox) manages both windows, and
// xdotool clicks and types through the X server. A click on a cell must
// leave Writer's document active, so that the next key lands there, and the
// palette must stay above Writer when Writer is raised and clicked.
// Run through with_window_manager.sh, on the xcb platform.

#include "Form1.h"
#include "HeadlessOffice.h"
#include "LibreOfficeDocumentLink.h"

#include <QProcess>
#include <QTest>

#include <optional>

using doclink::testing::HeadlessOffice;
using doclink::testing::HeadlessOfficeOptions;
using doclink::testing::Paragraph;

namespace {

// Runs a command to its end while the palette keeps handling its events,
// and returns what it printed.
QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 60000)) {
        process.kill();
        process.waitForFinished();
        qWarning() << program << arguments << "did not finish";
        return {};
    }
    if (process.exitCode() != 0)
        qWarning() << program << arguments << "failed:" << process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString Xdotool(const QStringList& arguments)
{
    return Run(QStringLiteral("xdotool"), arguments);
}

qulonglong ActiveWindow()
{
    return Xdotool({QStringLiteral("getactivewindow")}).toULongLong();
}

// The managed windows from bottom to top, as the window manager stacks them.
QList<qulonglong> StackingOrder()
{
    const QString line =
        Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<qulonglong> windows;
    const qsizetype hash = line.indexOf(QLatin1Char('#'));
    for (const QString& id : line.mid(hash + 1).split(QLatin1Char(','), Qt::SkipEmptyParts))
        windows << id.trimmed().toULongLong(nullptr, 16);
    return windows;
}

QString Describe(const std::vector<Paragraph>& paragraphs)
{
    QStringList seen;
    for (const Paragraph& paragraph : paragraphs)
        for (const auto& portion : paragraph)
            seen << QString::fromStdU16String(portion.text + u" in " + portion.complexFont);
    return seen.join(QStringLiteral(" | "));
}

} // namespace

class TestPaletteKeepsKeyboardInWriter : public QObject {
    Q_OBJECT

    std::optional<HeadlessOffice> office_;
    qulonglong writer_ = 0;

private slots:
    void initTestCase()
    {
        QVERIFY2(qEnvironmentVariableIsSet("DISPLAY"), "run through with_window_manager.sh");
        office_.emplace("keyboard-test", HeadlessOfficeOptions{.windowed = true});
        office_->Start();
        office_->OpenBlankDocument(u"DejaVu Sans");
        const QString found =
            Xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--name"), QStringLiteral("LibreOffice Writer")});
        writer_ = found.section(QLatin1Char('\n'), 0, 0).toULongLong();
        QVERIFY2(writer_ != 0, "Writer shows no window");
    }

    void cleanupTestCase() { office_.reset(); }

    void clickLeavesTheKeyboardInTheDocument()
    {
        doclink::LibreOfficeDocumentLink::Options options;
        options.pipeName = office_->PipeName();
        doclink::LibreOfficeDocumentLink link(options);
        palette::Form1 form(link, [] {});
        form.Load();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const qulonglong palette = form.winId();

        Xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(writer_)});
        QTRY_COMPARE_WITH_TIMEOUT(ActiveWindow(), writer_, 10000);

        // The algebra panel's first cell, clicked through the X server.
        auto* cell = form.findChild<QWidget*>(QStringLiteral("Label1_0"));
        QVERIFY(cell);
        const QPoint target = cell->mapToGlobal(cell->rect().center());
        Xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(target.x()),
                 QString::number(target.y()), QStringLiteral("click"), QStringLiteral("1")});
        QTRY_VERIFY_WITH_TIMEOUT(!office_->Paragraphs().front().empty(), 15000);
        QCOMPARE(ActiveWindow(), writer_);
        QVERIFY(ActiveWindow() != palette);

        // The next key goes to the document, after the symbol.
        Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("100"), QStringLiteral("x")});
        const std::vector<Paragraph> expected{{{u"حمس ", u"Al-DizaDorvan"}, {u"x", u"Traditional Arabic"}}};
        QTRY_VERIFY2_WITH_TIMEOUT(office_->Paragraphs() == expected, qPrintable(Describe(office_->Paragraphs())),
                                  15000);

        // Writer raised and clicked in its own window: the palette stays above it.
        Xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(writer_)});
        Xdotool({QStringLiteral("windowraise"), QString::number(writer_)});
        const QString geometry =
            Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(writer_)});
        int x = 0, y = 0, width = 0, height = 0;
        for (const QString& line : geometry.split(QLatin1Char('\n'))) {
            const QString value = line.section(QLatin1Char('='), 1);
            if (line.startsWith(QLatin1String("X=")))
                x = value.toInt();
            else if (line.startsWith(QLatin1String("Y=")))
                y = value.toInt();
            else if (line.startsWith(QLatin1String("WIDTH=")))
                width = value.toInt();
            else if (line.startsWith(QLatin1String("HEIGHT=")))
                height = value.toInt();
        }
        const QPoint inWriter(x + width - 60, y + height - 60);
        QVERIFY2(!form.frameGeometry().contains(inWriter), "Writer's window lies under the palette");
        Xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(inWriter.x()),
                 QString::number(inWriter.y()), QStringLiteral("click"), QStringLiteral("1")});
        QTRY_COMPARE_WITH_TIMEOUT(ActiveWindow(), writer_, 10000);
        QTest::qWait(500);
        const QList<qulonglong> stacking = StackingOrder();
        QVERIFY2(stacking.contains(writer_) && stacking.contains(palette),
                 qPrintable(QStringLiteral("stacking: %1").arg(stacking.size())));
        QVERIFY(stacking.indexOf(palette) > stacking.indexOf(writer_));
    }
};

QTEST_MAIN(TestPaletteKeepsKeyboardInWriter)
#include "test_palette_keeps_keyboard_in_writer.moc"
