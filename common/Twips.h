#pragma once

// Twips (1440 to the inch) as device pixels. Both windows are designed in
// twips; 96 dots per inch makes 15 twips a pixel. Values are rounded to the
// nearest pixel, halves away from zero, so that a design drawn in whole
// pixels at 96 DPI lands exactly on them and scales evenly at other DPIs.
namespace glyphboard {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDpi = 96;
inline constexpr int kTwipsPerPixel = kTwipsPerInch / kDesignDpi;

// Places and sizes of a design, in twips.
struct TwipPoint {
    int x;
    int y;
};

struct TwipSize {
    int width;
    int height;
};

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

constexpr int TwipsToPixels(int twips, int dpi = kDesignDpi)
{
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch : -((-scaled + half) / kTwipsPerInch));
}

} // namespace glyphboard
