#pragma once

#include <QPixmap>
#include <QSize>

namespace palette {

// The pictures of the palette window, by owner (the control that shows
// them, or Form1Icon for the window icon), with their size in pixels.
struct PictureDesign {
    const char* owner;
    int width;
    int height;
};

inline constexpr PictureDesign kPictures[] = {
    {"Form1Icon", 32, 32},
    {"Picture1", 628, 139}, // the base panel, PanelAlgebra
    {"Image1", 628, 139},   // PanelLetters
    {"Image2", 628, 139},   // PanelGeometry
    {"Image3", 628, 139},   // PanelCalculus
    {"Image4", 628, 35},    // the editing strip
    {"Image5", 46, 35},     // expand icon
    {"Image6", 46, 35},     // collapse icon
    {"Image7", 246, 174},   // about logo
    {"Image8", 370, 172},   // about credits
    {"Menu", 77, 36},       // logo lettering that opens the about panel
};

// The size of `owner`'s picture; an empty size for a control without one.
QSize PictureSize(const char* owner);

// The picture of `owner` from the resource ":/pictures/<owner>.png". While
// that resource is missing, a plain placeholder of exactly the picture's
// size stands in for it (a grid of the cells for the panels), so that the
// window's geometry does not depend on the pictures being built.
QPixmap LoadPicture(const char* owner);

} // namespace palette
