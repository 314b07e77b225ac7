#include "SymbolCatalogue.h"

#include <cassert>

namespace palette {
namespace {
#include "CatalogueTables.inc"
} // namespace

const CatalogueEntry& SymbolCatalogue(Panel panel, int index)
{
    // Indices come from the 56 cells of the window; anything else is a
    // programming error, so it is caught in debug builds and answered with
    // an empty entry (which types nothing) rather than a read out of bounds.
    static constexpr CatalogueEntry kNothing{u"", u"Traditional Arabic", u""};
    assert(panel >= 0 && panel < kPanelCount && index >= 0 && index < kCellCount);
    if (panel < 0 || panel >= kPanelCount || index < 0 || index >= kCellCount)
        return kNothing;
    return kCatalogueTables[panel][index];
}

} // namespace palette
