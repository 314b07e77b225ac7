#pragma once

#include "Form1Layout.h"
#include "PaletteControls.h"
#include "SymbolCatalogue.h"

#include <span>
#include <string>

namespace palette {

// The design tables of each container of the window, in the order a front
// end builds them: the window's own controls first, as the picture boxes
// must exist before their children.
struct ContainerDesign {
    const char* container; // nullptr: the window itself
    std::span<const ControlDesign> controls;
};

inline constexpr ContainerDesign kContainers[] = {
    {nullptr, kForm1Controls},
    {"Picture1", kPicture1Controls},
    {"Picture2", kPicture2Controls},
    {"Picture3", kPicture3Controls},
};

// Calls create(design, name) for every control of `controls` in creation
// order: bottom first, so that each control lies above those made before
// it (the tables list them topmost first). The cell grid comes as its 56
// cells Label1_0 ... Label1_55, each a GridCell at its place, Label1_55
// last.
template <typename Create>
void ForEachControlBottomFirst(std::span<const ControlDesign> controls, Create&& create)
{
    for (auto design = controls.rbegin(); design != controls.rend(); ++design) {
        if (design->kind != ControlKind::CellGrid) {
            create(*design, std::string(design->name));
            continue;
        }
        for (int i = 0; i < kCellCount; ++i) {
            ControlDesign cell = *design;
            cell.kind = ControlKind::GridCell;
            cell.rect = CellRect(i);
            create(cell, ElementName(design->name, i));
        }
    }
}

} // namespace palette
