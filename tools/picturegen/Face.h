// One cell face of a panel picture, as the face tables list it.
#pragma once

#include <span>
#include <string_view>

namespace picturegen {

// Which typeface a text face is set in.
enum class Typeface {
    Math,        // mathematical symbols: relations, sets, arrows, brackets
    Arabic,      // Arabic letters, digits and words (Naskh)
    Calligraphy, // ornate Arabic letter signs
    Italic,      // the italic Latin e of the exponential
    Symbols,     // check marks and crosses
    Light,       // thin brackets
};

// Faces that are not a glyph of a font but lines, bars and marks drawn as
// paths, or a composition of several glyphs.
enum class Art {
    Text,      // the text in its typeface
    Outlined,  // the text drawn as an outline: a letter with doubled strokes
    Bar,       // a horizontal bar
    DoubleBar, // two parallel bars, the extension piece of a double arrow
    Radical,   // a radical sign, left-to-right form (tick at the left)
    ShortArrowLeft,
    HalfArrowBar, // a bar with a half arrowhead at its left end
    DotLine,      // a line with a dot at its left end
    Arc,          // an arc bulging upwards
    Hat,          // a circumflex hat
    Box,          // a rectangle outline
    FilledBox,
    Circle,
    Fraction, // text over below, with a bar between
    Binomial, // text over below in parentheses, without a bar
    Limit,    // the word of the limit over a bar, with below beneath
    Sum,      // a summation sign with text above and below
};

// Size classes: the face is drawn at this size and then shrunk if it does not
// fit its place in the cell.
enum class Size { Tiny, Small, Normal, Large, Huge };

// Length class of bars, lines, arcs and boxes.
enum class Span { Short, Medium, Long, Wide };

struct Draw {
    Art art = Art::Text;
    Typeface typeface = Typeface::Math;
    std::u16string_view text = {};
    std::u16string_view below = {}; // second line of fractions, limits and sums
    Size size = Size::Normal;
    Span span = Span::Medium;
    bool mirrored = false; // flipped left to right for right-to-left notation

    constexpr Draw Small() const { return Sized(Size::Small); }
    constexpr Draw Tiny() const { return Sized(Size::Tiny); }
    constexpr Draw Large() const { return Sized(Size::Large); }
    constexpr Draw Huge() const { return Sized(Size::Huge); }
    constexpr Draw Mirror() const
    {
        Draw d = *this;
        d.mirrored = true;
        return d;
    }
    constexpr Draw Sized(Size s) const
    {
        Draw d = *this;
        d.size = s;
        return d;
    }
};

// Shorthands for the face tables: a glyph in a typeface, a drawn shape, or a
// composition of two lines of text.
constexpr Draw Sym(std::u16string_view text)
{
    return {.art = Art::Text, .typeface = Typeface::Math, .text = text};
}
constexpr Draw Ar(std::u16string_view text)
{
    return {.art = Art::Text, .typeface = Typeface::Arabic, .text = text};
}
constexpr Draw Calli(std::u16string_view text)
{
    return {.art = Art::Text, .typeface = Typeface::Calligraphy, .text = text};
}
constexpr Draw Italic(std::u16string_view text)
{
    return {.art = Art::Text, .typeface = Typeface::Italic, .text = text};
}
constexpr Draw Dingbat(std::u16string_view text)
{
    return {.art = Art::Text, .typeface = Typeface::Symbols, .text = text};
}
constexpr Draw Thin(std::u16string_view text)
{
    return {.art = Art::Text, .typeface = Typeface::Light, .text = text, .size = Size::Large};
}
constexpr Draw Outlined(std::u16string_view text)
{
    return {.art = Art::Outlined, .typeface = Typeface::Arabic, .text = text};
}
constexpr Draw Figure(Art a, Span s = Span::Medium)
{
    return {.art = a, .span = s};
}
constexpr Draw Fraction(std::u16string_view over, std::u16string_view under)
{
    return {.art = Art::Fraction, .typeface = Typeface::Arabic, .text = over, .below = under, .size = Size::Small};
}
constexpr Draw Binomial(std::u16string_view over, std::u16string_view under)
{
    return {.art = Art::Binomial, .typeface = Typeface::Arabic, .text = over, .below = under, .size = Size::Small};
}
constexpr Draw Limit(std::u16string_view beneath)
{
    return {
        .art = Art::Limit, .typeface = Typeface::Arabic, .text = u"نهـا", .below = beneath, .size = Size::Small};
}
constexpr Draw Sum(std::u16string_view above, std::u16string_view beneath)
{
    return {.art = Art::Sum, .text = above, .below = beneath};
}

// Where the face sits in its cell.
enum class Place {
    Middle,   // centred
    Raised,   // in the upper half
    Lowered,  // in the lower half
    Top,      // close under the top line
    TopRight, // close under the top line, against the right line
};

enum class Ink { Black, Grey, Faint };

struct Face {
    int row;
    int column;
    Draw draw;
    Place place = Place::Middle;
    Ink ink = Ink::Black;
};

using FaceTable = std::span<const Face>;

FaceTable AlgebraFaces();
FaceTable LettersFaces();
FaceTable GeometryFaces();
FaceTable CalculusFaces();

} // namespace picturegen
