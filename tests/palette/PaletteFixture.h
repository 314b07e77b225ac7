#pragma once

// Helpers shared by the palette window tests: a recording document link, a
// window that has run its start-up, and mouse input sent to the window at a
// position, so that Qt's own hit-testing picks the control that gets it
// (just as a real pointer would) rather than the test picking it.

#include "DocumentLink.h"
#include "FailureBox.h"
#include "Form1.h"

#include <QApplication>
#include <QFrame>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>
#include <string>
#include <vector>

namespace palette::testing {

// What the window asked of the word processor, and when the beep sounded,
// in one log so that the order of the two shows.
struct Call {
    std::u16string text;
    std::u16string font;
    bool deleteFirst = false;

    bool operator==(const Call&) const = default;
};

class RecordingLink final : public doclink::DocumentLink {
public:
    void TypeInFont(const std::u16string& text, const std::u16string& font, bool deleteFirst,
                    const std::u16string& /*undoTitle*/) override
    {
        log.push_back(QStringLiteral("type"));
        calls.push_back({text, font, deleteFirst});
        switch (failure) {
        case Failure::None: break;
        case Failure::LinkError: throw doclink::DocumentLinkError("the word processor is not running");
        case Failure::Unexpected: throw 42; // a backend fault that is not even a std::exception
        }
    }

    std::vector<Call> calls;
    QStringList log;
    enum class Failure { None, LinkError, Unexpected };
    Failure failure = Failure::None;
};

// Qt's offscreen platform warns on every fixed-size change of a window that
// it cannot pass the size hints on; the warning says nothing about the
// palette, so the tests drop it.
inline void QuietFixedSizeWarnings()
{
    static QtMessageHandler previous = nullptr;
    static const bool installed = [] {
        previous =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.contains(QLatin1String("propagateSizeHints")))
                    previous(type, context, message);
            });
        return true;
    }();
    Q_UNUSED(installed);
}

// A palette window after start-up, with a recording link and beep.
struct Palette {
    RecordingLink link;
    std::unique_ptr<Form1> form;

    Palette()
    {
        QuietFixedSizeWarnings();
        form = std::make_unique<Form1>(link, [this] { link.log.push_back(QStringLiteral("beep")); });
        form->Load();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        T* found = form->findChild<T*>(name);
        if (!found)
            qFatal("no control named %s", qPrintable(name));
        return found;
    }

    bool shown(const QString& name) const { return !control(name)->isHidden(); }

    // A point in twips inside Picture1, as a point of the window's client area.
    static QPoint inPicture1(int left, int top) { return {(1185 + left) / 15, (15 + top) / 15}; }

    // The centre of a control, as a point of the window's client area.
    QPoint centreOf(const QString& name) const
    {
        QWidget* widget = control(name);
        return widget->mapTo(form.get(), widget->rect().center());
    }

    void click(QPoint at) const { QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at); }
    void doubleClick(QPoint at) const { QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, at); }
    void move(QPoint at) const { QTest::mouseMove(form->windowHandle(), at); }
    void click(const QString& name) const { click(centreOf(name)); }
    void move(const QString& name) const { move(centreOf(name)); }
};

// Answers every modal box that opens while it lives with the given button
// text and keeps what each box showed.
class BoxAnswerer {
public:
    struct Seen {
        QString objectName;
        QString title;
        QString text;
        QStringList buttons;
        QString defaultButton;
        bool hasIcon = false;
    };

    explicit BoxAnswerer(QString button) : answer_(std::move(button))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { answer(); });
        timer_.start(0);
    }

    std::vector<Seen> seen;

private:
    void answer();

    QString answer_;
    QTimer timer_;
};

} // namespace palette::testing
