#pragma once

#include <cstring>

namespace palette {

// The pictures of the palette window, by owner (the control that shows
// them, or Form1Icon for the window icon), with their size in pixels at
// 15 twips a pixel. Each is drawn at build time as <owner>.png.
struct PictureDesign {
    const char* owner;
    int width;
    int height;
};

// One row a line, as a table reads.
// clang-format off
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
// clang-format on

// The picture design of `owner`; nullptr for a control without a picture.
inline const PictureDesign* FindPicture(const char* owner)
{
    for (const PictureDesign& picture : kPictures)
        if (std::strcmp(picture.owner, owner) == 0)
            return &picture;
    return nullptr;
}

} // namespace palette
