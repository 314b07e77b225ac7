#include "Form1.h"

#include "Form1Layout.h"
#include "FrameShape.h"
#include "HotSpot.h"
#include "Pictures.h"
#include "SetTopmost.h"
#include "TwipConversion.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <ranges>

namespace palette {
namespace {

// Controls of a picture box are placed relative to its client area, inside
// its border.
QPoint ClientOrigin(QWidget* container)
{
    if (auto* frame = qobject_cast<QFrame*>(container))
        return frame->contentsRect().topLeft();
    return {};
}

QString ElementName(const char* array, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

} // namespace

Form1::Form1(doclink::DocumentLink& link, Beep beep)
    : QWidget(nullptr)
    , link_(link)
    , beep_(std::move(beep))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setWindowIcon(QIcon(LoadPicture("Form1Icon")));
    // Fixed border with system menu and close box, no minimize or maximize.
    // A tool window that never takes the keyboard: a click on a cell leaves
    // the word processor's document active, so the next typed key lands
    // there, as with an on-screen keyboard. Clicks, hovers and tooltips do
    // not need the focus.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setGeometry(QRect(ToPixels(kClientOrigin), ToPixels(kStoredClientSize)));
    setFixedSize(ToPixels(kStoredClientSize));

    Build(kForm1Controls, this);
    Build(kPicture1Controls, findChild<HotSpot*>(QStringLiteral("Picture1")));
    Build(kPicture2Controls, findChild<HotSpot*>(QStringLiteral("Picture2")));
    Build(kPicture3Controls, findChild<HotSpot*>(QStringLiteral("Picture3")));
    Connect();

    // Tab order: Text1 first, so it holds the focus inside the window; the
    // window never takes the keyboard, so no key reaches it.
    setTabOrder(text1_, command2_);
    setTabOrder(command2_, command3_);
    setTabOrder(command3_, command4_);
    setTabOrder(command4_, command5_);
    setTabOrder(command5_, command6_);
    text1_->setFocus();
}

Form1::~Form1() = default;

Form1::Beep Form1::DefaultBeep()
{
    return [] { QApplication::beep(); };
}

void Form1::Build(std::span<const ControlDesign> designs, QWidget* container)
{
    // Topmost first in the table; Qt stacks later siblings above earlier ones.
    for (const ControlDesign& design : designs | std::views::reverse) {
        if (design.kind != ControlKind::CellGrid) {
            Create(design, container);
            continue;
        }
        for (int i = 0; i < kCellCount; ++i) {
            ControlDesign cell = design;
            cell.kind = ControlKind::Cell;
            cell.rect = CellRect(i);
            QWidget* widget = Create(cell, container);
            widget->setObjectName(ElementName(design.name, i));
            // Cells start with a flat single-line border; start-up removes it.
            auto* spot = static_cast<HotSpot*>(widget);
            spot->setFrameStyle(QFrame::Box | QFrame::Plain);
            spot->setLineWidth(1);
        }
    }
}

QWidget* Form1::Create(const ControlDesign& design, QWidget* container)
{
    const QString caption = design.caption ? QString::fromUtf8(design.caption) : QString();
    QWidget* widget = nullptr;
    switch (design.kind) {
    case ControlKind::Button:
        widget = new QPushButton(caption, container);
        break;
    case ControlKind::TextBox:
        widget = new QLineEdit(caption, container);
        break;
    case ControlKind::Frame:
        widget = new FrameShape(container);
        break;
    case ControlKind::PictureBox:
    case ControlKind::SunkenPictureBox:
    case ControlKind::Label:
    case ControlKind::Image:
    case ControlKind::BorderedImage:
    case ControlKind::Cell:
    case ControlKind::CellGrid: {
        auto* spot = new HotSpot(container);
        if (design.kind == ControlKind::SunkenPictureBox) {
            spot->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            spot->setLineWidth(2);
        } else if (design.kind == ControlKind::Label || design.kind == ControlKind::BorderedImage) {
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
        widget = spot;
        break;
    }
    }
    widget->setObjectName(QLatin1String(design.name));
    const QRect rect = ToPixels(design.rect);
    widget->setGeometry(QRect(ClientOrigin(container) + rect.topLeft(), rect.size()));
    widget->setVisible(design.visible);
    return widget;
}

void Form1::Connect()
{
    const auto spot = [this](const QString& name) {
        auto* found = findChild<HotSpot*>(name);
        Q_ASSERT(found);
        return found;
    };
    const auto frame = [this](const QString& name) {
        auto* found = findChild<FrameShape*>(name);
        Q_ASSERT(found);
        return found;
    };
    const auto button = [this](const QString& name) {
        auto* found = findChild<QPushButton*>(name);
        Q_ASSERT(found);
        return found;
    };

    command2_ = button(QStringLiteral("Command2"));
    command3_ = button(QStringLiteral("Command3"));
    command4_ = button(QStringLiteral("Command4"));
    command5_ = button(QStringLiteral("Command5"));
    command6_ = button(QStringLiteral("Command6"));
    text1_ = findChild<QLineEdit*>(QStringLiteral("Text1"));
    picture1_ = spot(QStringLiteral("Picture1"));
    picture2_ = spot(QStringLiteral("Picture2"));
    picture3_ = spot(QStringLiteral("Picture3"));
    label3_ = spot(QStringLiteral("Label3"));
    menu_ = spot(QStringLiteral("Menu"));
    image1_ = spot(QStringLiteral("Image1"));
    image2_ = spot(QStringLiteral("Image2"));
    image3_ = spot(QStringLiteral("Image3"));
    image4_ = spot(QStringLiteral("Image4"));
    image5_ = spot(QStringLiteral("Image5"));
    image6_ = spot(QStringLiteral("Image6"));
    image7_ = spot(QStringLiteral("Image7"));
    image8_ = spot(QStringLiteral("Image8"));
    shape1_ = frame(QStringLiteral("Shape1"));
    for (int i = 0; i < kCellCount; ++i)
        label1_[i] = spot(ElementName("Label1", i));
    for (int i = 0; i < kStripCellCount; ++i) {
        label2_[i] = spot(ElementName("Label2", i));
        shape2_[i] = frame(ElementName("Shape2", i));
    }

    // Exit: closing the only window ends the program.
    connect(command2_, &QPushButton::clicked, this, &QWidget::close);
    connect(command3_, &QPushButton::clicked, this, &Form1::SelectAlgebra);
    connect(command4_, &QPushButton::clicked, this, &Form1::SelectLetters);
    connect(command5_, &QPushButton::clicked, this, &Form1::SelectGeometry);
    connect(command6_, &QPushButton::clicked, this, &Form1::SelectCalculus);
    connect(image6_, &HotSpot::clicked, this, &Form1::Collapse);
    connect(image5_, &HotSpot::clicked, this, &Form1::Expand);
    connect(label3_, &HotSpot::clicked, this, &Form1::OpenAbout);
    connect(menu_, &HotSpot::clicked, this, &Form1::OpenAbout);
    connect(picture3_, &HotSpot::clicked, this, &Form1::CloseAbout);
    connect(image7_, &HotSpot::clicked, this, &Form1::CloseAbout);
    connect(image8_, &HotSpot::clicked, this, &Form1::CloseAbout);
    connect(picture1_, &HotSpot::mouseMoved, this, &Form1::HideStripFrames);
    connect(image4_, &HotSpot::mouseMoved, this, &Form1::HideStripFrames);
    connect(image6_, &HotSpot::mouseMoved, this, &Form1::ShowCollapseIconFrame);
    for (int i = 0; i < kCellCount; ++i) {
        connect(label1_[i], &HotSpot::clicked, this, [this, i] { CellClick(i); });
        connect(label1_[i], &HotSpot::mouseMoved, this, [this, i] { CellMouseMove(i); });
    }
    for (int i = 0; i < kStripCellCount; ++i) {
        connect(label2_[i], &HotSpot::clicked, this, [this, i] { StripClick(i); });
        connect(label2_[i], &HotSpot::mouseMoved, this, [this, i] { StripMouseMove(i); });
    }
}

void Form1::Load()
{
    picture3_->move(picture3_->x(), ToPixels(kAboutPanelPlace).y());
    picture3_->move(ToPixels(kAboutPanelPlace).x(), picture3_->y());
    SetTopmost(*this);
    // Qt lets closing a tool window leave the program running, and says so
    // again whenever the window flags change; the palette is the program's
    // only window, so closing it ends the program.
    setAttribute(Qt::WA_QuitOnClose);
    show();
    for (HotSpot* cell : label1_)
        cell->setFrameShape(QFrame::NoFrame);
    setFixedHeight(ToPixels(kExpandedClientSize).height());
    setFixedWidth(ToPixels(kExpandedClientSize).width());
}

Panel Form1::CurrentPanel() const
{
    if (!image1_->isHidden())
        return PanelLetters;
    if (!image2_->isHidden())
        return PanelGeometry;
    if (!image3_->isHidden())
        return PanelCalculus;
    return PanelAlgebra;
}

} // namespace palette
