#pragma once

#include <string_view>

namespace palette {

// The four symbol panels. Which one is current is read from the window's
// overlay pictures (Form1::CurrentPanel), never stored.
enum Panel { PanelAlgebra, PanelLetters, PanelGeometry, PanelCalculus };

inline constexpr int kPanelCount = 4;
inline constexpr int kCellCount = 56;

// What one palette cell types on one panel, in which font, and the name its
// tooltip shows. Texts are exact UTF-16 code units: spaces and lone vowel
// marks are part of the symbol and must reach the word processor unchanged.
struct CatalogueEntry {
    std::u16string_view text;
    std::u16string_view font;
    std::u16string_view name;
};

// The entry of cell `index` (0 to 55) on `panel`. Every pair has an entry;
// the tables are constant program data generated from catalogue.tsv.
const CatalogueEntry& SymbolCatalogue(Panel panel, int index);

} // namespace palette
