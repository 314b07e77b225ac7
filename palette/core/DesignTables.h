#pragma once

#include "DesignWalk.h"
#include "Form1Layout.h"
#include "PaletteControls.h"
#include "SymbolCatalogue.h"

#include <string>

namespace palette {

// The design tables of each container of the window, in the order a front
// end builds them: the window's own controls first, as the picture boxes
// must exist before their children.
using ContainerDesign = glyphboard::ContainerDesign<ControlDesign>;

inline constexpr ContainerDesign kContainers[] = {
    {nullptr, kForm1Controls},
    {"Picture1", kPicture1Controls},
    {"Picture2", kPicture2Controls},
    {"Picture3", kPicture3Controls},
};

// Calls create(container, design, name) for every control of the window,
// bottom first within each container (container is nullptr for the window
// itself). The cell grid comes as its 56 cells Label1_0 ... Label1_55, each
// a GridCell at its place, Label1_55 last and so topmost.
template <typename Create>
void ForEachControlBottomFirst(Create&& create)
{
    glyphboard::ForEachControlBottomFirst<ControlDesign>(
        kContainers, [&](const char* container, const ControlDesign& design) {
            if (design.kind != ControlKind::CellGrid) {
                create(container, design, std::string(design.name));
                return;
            }
            for (int i = 0; i < kCellCount; ++i) {
                ControlDesign cell = design;
                cell.kind = ControlKind::GridCell;
                cell.rect = CellRect(i);
                create(container, cell, ElementName(design.name, i));
            }
        });
}

} // namespace palette
