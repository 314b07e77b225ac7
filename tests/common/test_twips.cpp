// Twips to pixels at the DPIs Windows offers: whole design pixels stay
// exact at 96 DPI, and other DPIs round to the nearest pixel.

#include "Check.h"
#include "Twips.h"

namespace {

void TwipsBecomePixelsAtEveryDpi()
{
    const struct {
        int twips;
        int dpi;
        int pixels;
    } cases[] = {
        // 100 %: 15 twips a pixel.
        {0, 96, 0},
        {15, 96, 1},
        {-15, 96, -1},
        {-30, 96, -2},
        {1440, 96, 96},
        {10605, 96, 707},
        {2640, 96, 176},
        // Between pixels: the nearest one, halves away from zero (7.5 twips).
        {7, 96, 0},
        {8, 96, 1},
        {-7, 96, 0},
        {-8, 96, -1},
        {22, 96, 1},
        {23, 96, 2},
        // 125 %: 12 twips a pixel.
        {1440, 120, 120},
        {10605, 120, 884},
        {2640, 120, 220},
        {9420, 120, 785},
        {-15, 120, -1},
        // 150 %: 10 twips a pixel.
        {1440, 144, 144},
        {10605, 144, 1061},
        {2640, 144, 264},
        {9420, 144, 942},
        {-15, 144, -2},
        // 200 %.
        {10605, 192, 1414},
        // Large values do not overflow.
        {2'000'000'000, 192, 266'666'667},
    };
    for (const auto& c : cases)
        CHECK_EQ(glyphboard::TwipsToPixels(c.twips, c.dpi), c.pixels);
}

} // namespace

int main()
{
    return check::Run({
        {"TwipsBecomePixelsAtEveryDpi", TwipsBecomePixelsAtEveryDpi},
    });
}
