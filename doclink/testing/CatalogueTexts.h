#pragma once

#include <string>
#include <vector>

namespace doclink::testing {

// What one palette cell types, as palette/catalogue.tsv lists it.
struct CatalogueText {
    std::string panel;
    int index = 0;
    std::u16string text;
    std::u16string font;
};

// Every cell of the catalogue in file order. Throws std::runtime_error when
// the file cannot be read.
std::vector<CatalogueText> ReadCatalogue();

} // namespace doclink::testing
