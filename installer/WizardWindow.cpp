#include "WizardWindow.h"

#include "Installation.h"
#include "SetTopmost.h"
#include "SystemFacts.h"
#include "QtTwips.h"
#include "WizardLayout.h"
#include "WizardPictures.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

namespace installer::wizard {
namespace {

constexpr int kTicksUntilYes = 5;
constexpr int kTickInterval = 1000; // ms

// The window's size is given for the whole window; Qt sizes the client area,
// so take off a fixed single border (3 pixels a side) and the title bar.
constexpr QSize kFrameAllowance{6, 25};

using glyphboard::ToPixels;

QString Text(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// Where the Windows fonts are missing, a sans-serif face with Arabic
// letters of about their width stands in for them.
QFont FontFor(Look look)
{
    QFont font;
    const QString family = look == Look::Caption ? QStringLiteral("MS Sans Serif") : QStringLiteral("Tahoma");
    font.setFamilies({family, QStringLiteral("Noto Sans Arabic"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(look == Look::Caption ? 12 : 9.75);
    font.setBold(true);
    return font;
}

// Labels of one text line are not wrapped: a wrapped word would fall below
// the label and vanish.
constexpr int kTwoLines = 500; // twips

void StyleLabel(QLabel& label, Look look, int height)
{
    label.setFont(FontFor(look));
    label.setTextFormat(Qt::PlainText);
    const bool wraps = height >= kTwoLines;
    label.setWordWrap(wraps);
    label.setAutoFillBackground(true);
    // A single line sits in the middle, so that fonts with tall lines are
    // not cut at the label's lower edge.
    label.setAlignment((look == Look::RightAligned ? Qt::AlignRight : Qt::AlignHCenter)
                       | (wraps ? Qt::AlignTop : Qt::AlignVCenter));
    switch (look) {
    case Look::Caption:
        label.setBackgroundRole(QPalette::Button);
        label.setForegroundRole(QPalette::ButtonText);
        break;
    case Look::RedBand: {
        QPalette palette = label.palette();
        palette.setColor(QPalette::Window, QColor(255, 0, 0));
        palette.setColor(QPalette::WindowText, palette.color(QPalette::HighlightedText));
        label.setPalette(palette);
        break;
    }
    default:
        label.setBackgroundRole(QPalette::Base);
        label.setForegroundRole(QPalette::Text);
        break;
    }
    if (look == Look::Bordered) {
        label.setFrameStyle(QFrame::Box | QFrame::Plain);
        label.setLineWidth(1);
    }
}

} // namespace

WizardWindow::WizardWindow(SystemProbe& probe, FileSystem& files, Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint),
      probe_(probe),
      files_(files),
      desktop_(desktop)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Text(kWindowCaption));
    setWindowIcon(WindowIcon());
    BuildControls();
    ConnectHandlers();
    Load();
}

template <typename Widget>
Widget* WizardWindow::Find(const char* name) const
{
    return findChild<Widget*>(QLatin1String(name));
}

void WizardWindow::BuildControls()
{
    glyphboard::ForEachControlBottomFirst<Control>(
        kContainers, [this](const char* container, const Control& control) {
            CreateControl(control, container ? Find<QWidget>(container) : this);
        });
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
}

QWidget* WizardWindow::CreateControl(const Control& control, QWidget* parent)
{
    QWidget* widget = nullptr;
    switch (control.kind) {
    case Kind::Rectangle: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
        widget = frame;
        break;
    }
    case Kind::Label:
    case Kind::Box: {
        auto* label = new QLabel(Text(control.caption), parent);
        StyleLabel(*label, control.kind == Kind::Box ? Look::Bordered : control.look, control.rect.height);
        widget = label;
        break;
    }
    case Kind::Button: widget = new QPushButton(Text(control.caption), parent); break;
    case Kind::PictureButton: {
        auto* button = new QPushButton(parent);
        button->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
        button->setIconSize({32, 32});
        widget = button;
        break;
    }
    case Kind::Logo:
    case Kind::DocumentIcon: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop); // unstretched
        picture->setPixmap(control.kind == Kind::Logo ? Logo() : WordProcessorIcon());
        widget = picture;
        break;
    }
    case Kind::List:
    case Kind::FileList:
        // Placed below the visible part of the window. The folder test of
        // the installation goes through the platform's file system.
        widget = new QListWidget(parent);
        break;
    case Kind::Page: {
        // Hidden until a button opens it; moved into place at load.
        auto* page = new QFrame(parent);
        page->setAutoFillBackground(true); // covers the welcome view
        page->hide();
        widget = page;
        break;
    }
    }
    widget->setObjectName(QLatin1String(control.name));
    widget->setGeometry(ToPixels(control.rect));
    return widget;
}

void WizardWindow::Load()
{
    SetTopmost(*this);
    setFixedSize(ToPixels(kWindowOuterSize) - kFrameAllowance);

    auto* list = Find<QListWidget>("List1");
    list->addItems({QString::fromStdU16String(CurrentUserName(probe_)),
                    QString::fromStdU16String(OsVersionName(probe_)),
                    QString::fromStdU16String(WindowsFolder(probe_))});
    list->setCurrentRow(0);
    Find<QLabel>("Label1")->setText(list->currentItem()->text());
    list->setCurrentRow(1);
    Find<QLabel>("Label2")->setText(list->currentItem()->text());

    for (const char* page : {"Picture1", "Picture3", "Picture4", "Picture5"})
        Find<QWidget>(page)->move(ToPixels(kPagePlace));
}

void WizardWindow::ConnectHandlers()
{
    const auto onClick = [this](const char* button, auto handler) {
        connect(Find<QPushButton>(button), &QPushButton::clicked, this, handler);
    };
    onClick("Command1", [this] {
        Find<QWidget>("Picture1")->show();
        Find<QTimer>("Timer1")->start(kTickInterval);
        Find<QWidget>("Command3")->hide();
    });
    onClick("Command2", [this] { close(); });
    onClick("Command3", [this] { RunInstallation(*this, files_, desktop_, probe_.InstallerFolder()); });
    onClick("Command4", [this] { Find<QWidget>("Picture1")->hide(); });
    onClick("Command5", [this] { Find<QWidget>("Picture3")->show(); });
    onClick("Command8", [this] { Find<QWidget>("Picture3")->hide(); });
    onClick("Command6", [this] { Find<QWidget>("Picture5")->show(); });
    onClick("Command7", [this] {
        desktop_.ShowShutdownDialog();
        close();
    });
    connect(Find<QTimer>("Timer1"), &QTimer::timeout, this, &WizardWindow::Tick);
}

void WizardWindow::Tick()
{
    // The timer ticks for as long as the window exists; the count stops at
    // the tick that reveals Yes so that it can never overflow.
    if (tickCount_ >= kTicksUntilYes)
        return;
    if (++tickCount_ == kTicksUntilYes)
        Find<QWidget>("Command3")->show();
}

std::u16string WizardWindow::UserNameCaption()
{
    return Find<QLabel>("Label1")->text().toStdU16String();
}

std::u16string WizardWindow::VersionNameCaption()
{
    return Find<QLabel>("Label2")->text().toStdU16String();
}

std::u16string WizardWindow::SelectWindowsFolderEntry()
{
    auto* list = Find<QListWidget>("List1");
    list->setCurrentRow(2);
    return list->currentItem()->text().toStdU16String();
}

void WizardWindow::SetConsentCaption(const std::u16string& caption)
{
    Find<QLabel>("Label3")->setText(QString::fromStdU16String(caption));
}

void WizardWindow::SetYesVisible(bool visible)
{
    Find<QWidget>("Command3")->setVisible(visible);
}

void WizardWindow::ShowSuccessPage()
{
    Find<QWidget>("Picture4")->show();
}

void WizardWindow::ShowIncompletePage(const std::u16string& report)
{
    // The report takes the whole box of the page, wrapped, in a small plain
    // type whose lines are not spaced for tall Arabic marks, so that a line
    // for each part fits.
    auto* label = Find<QLabel>("Label11");
    label->setText(QString::fromStdU16String(report));
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans Arabic")});
    font.setPointSizeF(8);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    const QRect box = Find<QWidget>("Label14")->geometry();
    label->setGeometry(box.adjusted(2, 2, -2, -2));
    Find<QWidget>("Picture4")->show();
}

} // namespace installer::wizard
