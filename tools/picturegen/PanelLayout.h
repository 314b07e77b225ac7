// The grid shared by the four panel pictures and each panel's cell colours.
#pragma once

#include <QColor>
#include <array>
#include <string_view>

#include "Face.h"

namespace picturegen {

inline constexpr int kPanelWidth = 628;
inline constexpr int kPanelHeight = 139;
inline constexpr int kColumns = 14;
inline constexpr int kRows = 4;

// Grid lines, one pixel wide; the first and last of each list are the frame.
inline constexpr std::array<int, kColumns + 1> kGridX{0,   45,  90,  135, 179, 224, 269, 314,
                                                      359, 404, 448, 493, 538, 583, 627};
inline constexpr std::array<int, kRows + 1> kGridY{0, 34, 69, 104, 138};

// A cell colour with the shades of the lines drawn in it: about 24 % of its
// brightness for inner lines, about 12.5 % for the outer frame.
struct CellColour {
    char key;
    QRgb fill;
    QRgb innerLine;
    QRgb frame;
};

inline constexpr std::array<CellColour, 4> kCellColours{{
    {'W', 0xFFFFFF, 0x3C3C3C, 0x202020}, // white
    {'G', 0xCCFFCC, 0x303C30, 0x1A201A}, // green
    {'B', 0x99CCFF, 0x24303C, 0x131A20}, // blue
    {'Y', 0xFFFF99, 0x3C3C24, 0x202013}, // yellow
}};

const CellColour& CellColourFor(char key);

// Cell colours, rows 0 to 3 top first, columns 0 to 13 left first.
using ColourMap = std::array<std::string_view, kRows>;

struct PanelDefinition {
    const char* owner; // the control whose picture it is
    ColourMap colours;
    FaceTable (*faces)();
};

inline constexpr std::array<PanelDefinition, 4> kPanels{{
    {"Picture1", // algebra and operations
     {"WWWWWWWWWWWWWW", "BBBBBBGGGGGGGG", "BBBBBBGGGGGGGG", "BBWWWWWWYYYYYY"},
     AlgebraFaces},
    {"Image1", // letters and functions
     {"GGGGGGGGGGGGGG", "GGGGGGGGGGGGGG", "WYYYWWBBBBBBBB", "WYYYWWBBBBBBBB"},
     LettersFaces},
    {"Image2", // geometry
     {"GGGGGGGGYBBBBB", "WGGGGGGGYBBBBB", "WWWWWWWWYBBBBB", "WWWWWWWWYWBBBB"},
     GeometryFaces},
    {"Image3", // calculus
     {"GGGGYBWWBBBBBB", "WGGGWBWWBBBBBB", "GGGGYBWWWBBBBB", "GGGGYBWWWBBBBB"},
     CalculusFaces},
}};

} // namespace picturegen
