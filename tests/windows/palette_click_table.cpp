// Prints what the palette window should do for every click an end-to-end
// test makes, from the palette's own design tables and catalogue: one line
// per click target, tab-separated:
//
//   panel button | control | x | y | delete first (0/1) | font | text
//
// The rows come in the order to click them: each panel button followed by
// its cells, the strip cells, and the exit button last.
// x and y are the centre of the control in the window's client area, in
// pixels at 96 DPI. The text is written as the fake Word logs it: printable
// ASCII as is, every other code unit as \uXXXX. Targets that type nothing
// (the buttons) have empty font and text columns.

#include "Form1Layout.h"
#include "LogText.h"
#include "Panels.h"
#include "StripCells.h"
#include "SymbolCatalogue.h"
#include "Twips.h"

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

using namespace palette;

namespace {

// The centre of a control of Picture1 (which has no border) or of the window.
std::pair<int, int> Centre(TwipRect rect, TwipPoint container)
{
    return {glyphboard::TwipsToPixels(container.x + rect.left + rect.width / 2),
            glyphboard::TwipsToPixels(container.y + rect.top + rect.height / 2)};
}

TwipRect DesignRect(std::string_view name, std::span<const ControlDesign> table)
{
    for (const ControlDesign& design : table)
        if (name == design.name)
            return design.rect;
    return {};
}

void Print(const char* button, std::string_view control, std::pair<int, int> at, bool deleteFirst,
           std::u16string_view font, std::u16string_view text, bool types)
{
    std::printf("%s\t%.*s\t%d\t%d\t%d\t%s\t%s\n", button, static_cast<int>(control.size()), control.data(),
                at.first, at.second, deleteFirst ? 1 : 0, types ? testing_win::LogText(font).c_str() : "",
                types ? testing_win::LogText(text).c_str() : "");
}

} // namespace

int main()
{
    const TwipRect picture1 = DesignRect("Picture1", kForm1Controls);
    const TwipPoint inPicture1{picture1.left, picture1.top};
    for (const PanelDesign& panel : kPanels) {
        Print(panel.button, panel.button, Centre(DesignRect(panel.button, kForm1Controls), {0, 0}), false, u"", u"",
              false);
        for (int i = 0; i < kCellCount; ++i) {
            const CatalogueEntry& entry = SymbolCatalogue(panel.panel, i);
            Print(panel.button, "Label1_" + std::to_string(i), Centre(CellRect(i), inPicture1), entry.deleteFirst,
                  entry.font, entry.text, true);
        }
    }
    // The strip cells in view; Label2_3 lies below the window's client area.
    for (int i = 0; i < kStripCellCount; ++i) {
        if (i == 3)
            continue;
        const std::string name = "Label2_" + std::to_string(i);
        const StripCell& cell = kStripCells[i];
        Print("", name, Centre(DesignRect(name, kPicture1Controls), inPicture1), cell.deleteFirst, cell.font,
              cell.text, true);
    }
    // Last, the exit button.
    Print("", "Command2", Centre(DesignRect("Command2", kForm1Controls), {0, 0}), false, u"", u"", false);
    return 0;
}
