#pragma once

#include "Panels.h"

#include <string_view>

namespace palette {

inline constexpr int kCellCount = 56;

// What one palette cell types on one panel, in which font, and the name its
// tooltip shows. Texts are exact UTF-16 code units: spaces and lone vowel
// marks are part of the symbol and must reach the word processor unchanged.
// A deleteFirst cell deletes the character before the insertion point before
// it types, as long as the strip picture Image4 shows.
struct CatalogueEntry {
    std::u16string_view text;
    std::u16string_view font;
    std::u16string_view name;
    bool deleteFirst;
};

// The entry of cell `index` (0 to 55) on `panel`. Every pair has an entry;
// the tables are constant program data generated from catalogue.tsv.
const CatalogueEntry& SymbolCatalogue(Panel panel, int index);

} // namespace palette
