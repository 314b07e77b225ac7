// The event handlers of the palette window. Each sets exactly the control
// properties it is responsible for, in a fixed order, and nothing else.

#include "Form1.h"

#include "DocumentLink.h"
#include "FailureBox.h"
#include "Form1Layout.h"
#include "FrameShape.h"
#include "HotSpot.h"
#include "StripCells.h"
#include "TwipConversion.h"

#include <string>

namespace palette {
namespace {

QString ToQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

// Panel buttons. Every one closes the about panel; the algebra button only
// hides the overlays and leaves them where they are.

void Form1::SelectAlgebra()
{
    image1_->hide();
    image2_->hide();
    image3_->hide();
    picture3_->hide();
}

void Form1::SelectLetters()
{
    picture3_->hide();
    image1_->move(ToPixels(kOverlayPlace));
    image1_->show();
    image2_->hide();
    image3_->hide();
}

void Form1::SelectGeometry()
{
    picture3_->hide();
    image2_->move(ToPixels(kOverlayPlace));
    image1_->hide();
    image2_->show();
    image3_->hide();
}

void Form1::SelectCalculus()
{
    picture3_->hide();
    image3_->move(ToPixels(kOverlayPlace));
    image1_->hide();
    image2_->hide();
    image3_->show();
}

// Views. The window's top-left corner stays put; only its size changes.

void Form1::Collapse()
{
    const QSize collapsed = ToPixels(kCollapsedClientSize);
    setFixedWidth(collapsed.width());
    setFixedHeight(collapsed.height());
    picture2_->show();
}

void Form1::Expand()
{
    const QSize expanded = ToPixels(kExpandedClientSize);
    setFixedHeight(expanded.height());
    setFixedWidth(expanded.width());
    picture2_->hide();
}

void Form1::OpenAbout()
{
    picture3_->show();
}

void Form1::CloseAbout()
{
    picture3_->hide();
}

// Strip frames.

void Form1::HideStripFrames()
{
    for (FrameShape* frame : shape2_)
        frame->hide();
}

void Form1::ShowCollapseIconFrame()
{
    shape2_[3]->show();
}

// Palette cells.

void Form1::CellClick(int index)
{
    try {
        const CatalogueEntry& entry = SymbolCatalogue(CurrentPanel(), index);
        const bool deleteFirst = index == 14 && !image4_->isHidden();
        link_.TypeInFont(std::u16string(entry.text), std::u16string(entry.font), deleteFirst,
                         std::u16string(entry.name));
    } catch (...) {
        // DocumentLinkError, or anything else a backend lets through: the
        // click ends with the one failure box instead of taking the program
        // down; the next click starts afresh.
        ShowFailureBox(this);
    }
}

// Runs on every pointer move over a cell, so it does only this: move the
// highlight frame onto the cell and set the cell's tooltip from the current
// panel, even when the name is empty or unchanged.
void Form1::CellMouseMove(int index)
{
    HotSpot* cell = label1_[index];
    shape1_->move(cell->pos());
    cell->setToolTip(ToQString(SymbolCatalogue(CurrentPanel(), index).name));
}

// Editing strip.

void Form1::StripClick(int index)
{
    try {
        const StripCell& cell = kStripCells[index];
        if (cell.beepFirst)
            beep_();
        link_.TypeInFont(std::u16string(cell.text), std::u16string(cell.font), cell.deleteFirst,
                         std::u16string(cell.undoTitle));
    } catch (...) {
        ShowFailureBox(this);
    }
}

void Form1::StripMouseMove(int index)
{
    for (FrameShape* frame : shape2_)
        frame->hide();
    shape2_[index]->show();
}

} // namespace palette
