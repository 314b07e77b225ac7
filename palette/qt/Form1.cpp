#include "Form1.h"

#include "DesignTables.h"
#include "FailureBox.h"
#include "Form1Layout.h"
#include "FrameShape.h"
#include "HotSpot.h"
#include "Pictures.h"
#include "SetTopmost.h"
#include "QtTwips.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace palette {

using glyphboard::ToPixels;
using glyphboard::ToTwips;

namespace {

// Controls of a picture box are placed relative to its client area, inside
// its border.
QPoint ClientOrigin(QWidget* container)
{
    if (auto* frame = qobject_cast<QFrame*>(container))
        return frame->contentsRect().topLeft();
    return {};
}

} // namespace

Form1::Form1(doclink::DocumentLink& link, BeepFunction beep)
    : QWidget(nullptr), beep_(std::move(beep)), logic_(*this, link)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setWindowIcon(QIcon(LoadPicture("Form1Icon")));
    // Fixed border with system menu and close box, no minimize or maximize.
    // A tool window that never takes the keyboard: a click on a cell leaves
    // the word processor's document active, so the next typed key lands
    // there, as with an on-screen keyboard. Clicks, hovers and tooltips do
    // not need the focus.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setGeometry(QRect(ToPixels(kClientOrigin), ToPixels(kStoredClientSize)));
    setFixedSize(ToPixels(kStoredClientSize));

    ForEachControlBottomFirst([&](const char* container, const ControlDesign& design, const std::string& name) {
        Create(design, name, container ? Control(container) : this);
    });

    // Tab order: Text1 first, so it holds the focus inside the window; the
    // window never takes the keyboard, so no key reaches it.
    QWidget* text1 = Control("Text1");
    setTabOrder(text1, Control("Command2"));
    setTabOrder(Control("Command2"), Control("Command3"));
    setTabOrder(Control("Command3"), Control("Command4"));
    setTabOrder(Control("Command4"), Control("Command5"));
    setTabOrder(Control("Command5"), Control("Command6"));
    text1->setFocus();
}

Form1::~Form1() = default;

Form1::BeepFunction Form1::DefaultBeep()
{
    return [] { QApplication::beep(); };
}

QWidget* Form1::Create(const ControlDesign& design, const std::string& name, QWidget* container)
{
    const QString caption = design.caption ? QString::fromUtf8(design.caption) : QString();
    QWidget* widget = nullptr;
    switch (design.kind) {
    case ControlKind::Button: {
        auto* button = new QPushButton(caption, container);
        connect(button, &QPushButton::clicked, this, [this, name] { logic_.OnClick(name); });
        widget = button;
        break;
    }
    case ControlKind::TextBox: widget = new QLineEdit(caption, container); break;
    case ControlKind::Frame: widget = new FrameShape(container); break;
    case ControlKind::PictureBox:
    case ControlKind::SunkenPictureBox:
    case ControlKind::Label:
    case ControlKind::Image:
    case ControlKind::BorderedImage:
    case ControlKind::Cell:
    case ControlKind::GridCell:
    case ControlKind::CellGrid: {
        auto* spot = new HotSpot(container);
        if (design.kind == ControlKind::SunkenPictureBox) {
            spot->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            spot->setLineWidth(2);
        } else if (design.kind == ControlKind::Label || design.kind == ControlKind::BorderedImage
                   || design.kind == ControlKind::GridCell) {
            spot->setFrameStyle(QFrame::Box | QFrame::Plain);
            spot->setLineWidth(1);
        }
        // Picture boxes paint the default background below their picture and
        // children; labels, images and cells are transparent.
        spot->setAutoFillBackground(design.kind == ControlKind::PictureBox
                                    || design.kind == ControlKind::SunkenPictureBox);
        if (!PictureSize(design.name).isEmpty())
            spot->setPixmap(LoadPicture(design.name));
        if (design.kind == ControlKind::Label) {
            QFont font(QStringLiteral("Tahoma"));
            font.setPointSizeF(8.25);
            font.setWeight(QFont::Normal);
            spot->setFont(font);
            spot->setTextFormat(Qt::PlainText);
            spot->setText(caption);
        }
        connect(spot, &HotSpot::clicked, this, [this, name] { logic_.OnClick(name); });
        connect(spot, &HotSpot::mouseMoved, this, [this, name] { logic_.OnMouseMove(name); });
        widget = spot;
        break;
    }
    }
    widget->setObjectName(QString::fromStdString(name));
    const QRect rect = ToPixels(design.rect);
    widget->setGeometry(QRect(ClientOrigin(container) + rect.topLeft(), rect.size()));
    widget->setVisible(design.visible);
    controlsByName_[name] = widget;
    return widget;
}

QWidget* Form1::Control(std::string_view name) const
{
    const auto found = controlsByName_.find(std::string(name));
    Q_ASSERT(found != controlsByName_.end());
    return found->second;
}

void Form1::Load()
{
    logic_.Load();
}

Panel Form1::CurrentPanel() const
{
    return logic_.CurrentPanel();
}

// The verbs. Visibility is the control's own flag, not whether it is on
// screen: Image4 counts as shown in the collapsed view, where it lies outside
// the client area, and every control counts before the window is shown.

bool Form1::IsVisible(std::string_view control) const
{
    return !Control(control)->isHidden();
}

void Form1::Show(std::string_view control)
{
    Control(control)->show();
}

void Form1::Hide(std::string_view control)
{
    Control(control)->hide();
}

TwipPoint Form1::Position(std::string_view control) const
{
    QWidget* widget = Control(control);
    return ToTwips(widget->pos() - ClientOrigin(widget->parentWidget()));
}

void Form1::Move(std::string_view control, TwipPoint to)
{
    QWidget* widget = Control(control);
    widget->move(ClientOrigin(widget->parentWidget()) + ToPixels(to));
}

void Form1::SetToolTip(std::string_view control, std::u16string_view text)
{
    Control(control)->setToolTip(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

void Form1::RemoveBorder(std::string_view control)
{
    static_cast<HotSpot*>(Control(control))->setFrameShape(QFrame::NoFrame);
}

void Form1::SetClientSize(TwipSize size)
{
    setFixedSize(ToPixels(size));
}

void Form1::MakeTopmost()
{
    SetTopmost(*this);
    // Qt lets closing a tool window leave the program running, and says so
    // again whenever the window flags change; the palette is the program's
    // only window, so closing it ends the program.
    setAttribute(Qt::WA_QuitOnClose);
}

void Form1::ShowWindow()
{
    show();
}

void Form1::CloseWindow()
{
    // Closing the only window ends the program.
    close();
}

void Form1::Beep()
{
    beep_();
}

void Form1::ShowFailureBox()
{
    palette::ShowFailureBox(this);
}

} // namespace palette
