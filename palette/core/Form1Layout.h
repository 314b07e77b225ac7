#pragma once

// The design of the palette window: every control with its kind, position,
// size, visibility at creation and caption, in twips (1440 per inch) as the
// window was drawn. One pixel is 15 twips; every value here is a whole
// number of pixels, which the static_asserts at the end make sure of.
//
// Each container's controls are listed topmost first, as in every design
// table (common/DesignWalk.h); a front end creates them in reverse, so that
// later siblings lie above earlier ones.
//
// Control arrays: element i of the array `Label1` is the control named
// "Label1_i", e.g. "Label1_0" ... "Label1_55", "Shape2_3".

#include "Twips.h"

namespace palette {

using glyphboard::kTwipsPerPixel;
using glyphboard::TwipPoint;
using glyphboard::TwipRect;
using glyphboard::TwipSize;

enum class ControlKind {
    Button,           // push button with a caption
    TextBox,          // single-line text box
    PictureBox,       // picture box without border
    SunkenPictureBox, // picture box with the default sunken border
    Label,            // caption label with a flat single-line border
    Image,            // picture, shown at its natural size
    BorderedImage,    // picture inside a one-pixel single border
    Cell,             // transparent hot-spot (strip cell)
    GridCell,         // palette cell: a Cell created with a flat single-line
                      // border, which start-up removes
    Frame,            // red rectangle outline, takes no mouse input
    CellGrid,         // stands for the 56 palette cells, see kCellLefts
};

struct ControlDesign {
    const char* name;
    ControlKind kind;
    TwipRect rect;
    bool visible;
    const char* caption = nullptr; // UTF-8
};

// The window's client area on screen and its sizes. The front ends size
// client areas; the expanded client is as wide as the panel (1185 + 9420) and as high as
// the bottom of the strip (15 + 2100 + 525), which leaves strip cell 3 out of
// view. The collapsed client is what an 870 x 945 outer window keeps after a
// three-pixel frame and a 19-pixel title bar: Picture2 covers all of it.
inline constexpr TwipPoint kClientOrigin{1425, 330};
inline constexpr TwipSize kStoredClientSize{10710, 9690};
inline constexpr TwipSize kExpandedClientSize{10605, 2640};
inline constexpr TwipSize kCollapsedClientSize{780, 570};

// Where start-up moves the about panel (it is drawn out of the way).
inline constexpr TwipPoint kAboutPanelPlace{1170, 0};

// Where a panel button moves its overlay picture: exactly over the base
// panel picture of Picture1. The overlays are drawn parked below it.
inline constexpr TwipPoint kOverlayPlace{0, 0};

inline constexpr const char* kWindowCaption = "الإصدار الثالث لبرنامج Glyphboard";

// Controls placed directly on the window, topmost first. Windowed controls
// (picture boxes, buttons, the text box) lie above the label and the image.
inline constexpr ControlDesign kForm1Controls[] = {
    {"Picture2", ControlKind::SunkenPictureBox, {-15, -30, 1050, 615}, false},
    {"Picture3", ControlKind::SunkenPictureBox, {0, 5565, 9420, 2745}, false},
    {"Command6", ControlKind::Button, {0, 1110, 1155, 360}, true, "تفاضل وتكامل"},
    {"Command5", ControlKind::Button, {0, 750, 1155, 360}, true, "هندسة"},
    {"Command4", ControlKind::Button, {0, 390, 1155, 360}, true, "حروف ودوال"},
    {"Command3", ControlKind::Button, {0, 30, 1155, 360}, true, "جبر وعمليات"},
    {"Command2", ControlKind::Button, {0, 1785, 1155, 360}, true, "خروج"},
    {"Picture1", ControlKind::PictureBox, {1185, 15, 9450, 9120}, true},
    {"Text1", ControlKind::TextBox, {1455, 2565, 1215, 495}, true, "Text1"},
    {"Label3", ControlKind::Label, {15, 1500, 1125, 255}, true, "   حول البرنامج   "},
    {"Menu", ControlKind::Image, {-15, 2130, 1155, 540}, true},
};

// Inside Picture2 (the collapsed view).
inline constexpr ControlDesign kPicture2Controls[] = {
    {"Image5", ControlKind::Image, {60, 30, 690, 525}, true},
};

// Inside Picture3 (the about panel), topmost first.
inline constexpr ControlDesign kPicture3Controls[] = {
    {"Image7", ControlKind::BorderedImage, {45, 30, 3720, 2640}, true},
    {"Image8", ControlKind::Image, {3780, 30, 5550, 2580}, true},
};

// Inside Picture1, topmost first: cells above the overlay pictures, frames
// above the strip picture, the collapse icon above the strip.
inline constexpr ControlDesign kPicture1Controls[] = {
    {"Shape2_5", ControlKind::Frame, {1395, 2130, 600, 465}, true},
    {"Shape2_4", ControlKind::Frame, {720, 2130, 600, 465}, true},
    {"Label2_5", ControlKind::Cell, {1380, 2130, 630, 465}, true},
    {"Label2_4", ControlKind::Cell, {705, 2130, 600, 465}, true},
    {"Shape2_3", ControlKind::Frame, {45, 2130, 615, 465}, true},
    {"Image6", ControlKind::Image, {0, 2100, 690, 525}, true},
    {"Label2_3", ControlKind::Cell, {3750, 2760, 525, 390}, true},
    {"Label1", ControlKind::CellGrid, {0, 0, 540, 420}, true}, // Label1_55 topmost ... Label1_0
    {"Shape1", ControlKind::Frame, {8745, 2865, 540, 420}, true},
    {"Image2", ControlKind::Image, {135, 5205, 9420, 2085}, false},
    {"Image1", ControlKind::Image, {90, 3030, 9420, 2085}, false},
    {"Label2_0", ControlKind::Cell, {2070, 2145, 5280, 450}, true},
    {"Shape2_0", ControlKind::Frame, {2070, 2130, 5310, 465}, true},
    {"Label2_2", ControlKind::Cell, {8145, 2160, 1230, 405}, true},
    {"Label2_1", ControlKind::Cell, {7470, 2145, 540, 405}, true},
    {"Shape2_1", ControlKind::Frame, {7455, 2130, 600, 465}, true},
    {"Shape2_2", ControlKind::Frame, {8115, 2130, 1245, 465}, true},
    {"Image4", ControlKind::Image, {0, 2100, 9420, 525}, true},
    {"Image3", ControlKind::Image, {165, 7350, 9420, 2085}, false},
};

// The palette cells Label1_0 to Label1_55: cell i lies in row i / 14 and
// column i % 14. Every cell is 540 x 420.
inline constexpr int kGridColumns = 14;
inline constexpr int kGridRows = 4;
inline constexpr TwipSize kCellSize{540, 420};
inline constexpr int kCellRowTops[kGridRows] = {30, 570, 1080, 1605};
inline constexpr int kCellLefts[kGridRows][kGridColumns] = {
    {75, 735, 1410, 2070, 2760, 3435, 4110, 4800, 5445, 6120, 6795, 7470, 8130, 8805},
    {75, 735, 1410, 2070, 2760, 3435, 4110, 4800, 5445, 6120, 6795, 7470, 8130, 8805},
    {60, 735, 1395, 2055, 2745, 3420, 4095, 4785, 5430, 6105, 6780, 7455, 8115, 8805},
    {60, 720, 1395, 2055, 2745, 3420, 4110, 4800, 5445, 6120, 6795, 7470, 8130, 8805},
};
// Cells 0 and 13, at the ends of the top row, sit one pixel lower.
inline constexpr int kCornerCellTop = 45;

constexpr TwipRect CellRect(int index)
{
    const int row = index / kGridColumns;
    const int column = index % kGridColumns;
    const bool corner = index == 0 || index == kGridColumns - 1;
    return {kCellLefts[row][column], corner ? kCornerCellTop : kCellRowTops[row], kCellSize.width,
            kCellSize.height};
}

inline constexpr int kStripCellCount = 6;

// ---------------------------------------------------------------------------

constexpr bool IsWholePixels(TwipRect r)
{
    return r.left % kTwipsPerPixel == 0 && r.top % kTwipsPerPixel == 0 && r.width % kTwipsPerPixel == 0
           && r.height % kTwipsPerPixel == 0;
}

template <auto& Table>
constexpr bool AllWholePixels()
{
    for (const ControlDesign& control : Table)
        if (!IsWholePixels(control.rect))
            return false;
    return true;
}

constexpr bool GridWholePixels()
{
    for (int i = 0; i < kGridRows * kGridColumns; ++i)
        if (!IsWholePixels(CellRect(i)))
            return false;
    return true;
}

static_assert(AllWholePixels<kForm1Controls>() && AllWholePixels<kPicture1Controls>()
              && AllWholePixels<kPicture2Controls>() && AllWholePixels<kPicture3Controls>() && GridWholePixels());

} // namespace palette
