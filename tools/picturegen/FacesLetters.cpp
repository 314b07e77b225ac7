// Faces of the letters and functions panel, row by row, columns 0 to 13 from
// the left. The upper row of each pair is raised (numerators), the lower one
// lowered (denominators).
#include "Face.h"

namespace picturegen {
namespace {

using enum Place;
using enum Ink;

constexpr Face faces[] = {
    // Row 0, raised
    {0, 0, ar(u"ع"), Raised},
    {0, 1, ar(u"ص"), Raised},
    {0, 2, ar(u"س"), Raised},
    {0, 3, ar(u"ن"), Raised},
    {0, 4, ar(u"م"), Raised},
    {0, 5, ar(u"ك"), Raised},
    {0, 6, ar(u"ط"), Raised},
    {0, 7, ar(u"ر"), Raised},
    {0, 8, ar(u"ت"), Raised},
    {0, 9, ar(u"هـ"), Raised},
    {0, 10, ar(u"ء"), Raised},
    {0, 11, ar(u"ج"), Raised},
    {0, 12, ar(u"ب"), Raised},
    {0, 13, ar(u"أ"), Raised},
    // Row 1, lowered
    {1, 0, ar(u"ع"), Lowered},
    {1, 1, ar(u"ص"), Lowered},
    {1, 2, ar(u"س"), Lowered},
    {1, 3, ar(u"ن"), Lowered},
    {1, 4, ar(u"م"), Lowered},
    {1, 5, ar(u"ك"), Lowered},
    {1, 6, ar(u"ط"), Lowered},
    {1, 7, ar(u"ر"), Lowered},
    {1, 8, ar(u"ت"), Lowered},
    {1, 9, ar(u"هـ"), Lowered},
    {1, 10, ar(u"ء"), Lowered},
    {1, 11, ar(u"ج"), Lowered},
    {1, 12, ar(u"ب"), Lowered},
    {1, 13, ar(u"أ"), Lowered},
    // Row 2, raised
    {2, 0, ar(u"٢").small(), Lowered},     // the square of a denominator
    {2, 1, sym(u"−"), Raised},
    {2, 2, sym(u"+"), Raised},
    {2, 3, sym(u"×"), Raised},
    {2, 4, art(Art::Bar, Span::Short), TopRight}, // completes a radical's bar
    {2, 5, art(Art::Radical).mirror(), Raised},
    {2, 6, italic(u"e"), Raised},
    {2, 7, ar(u"لو"), Raised},
    {2, 8, ar(u"قتا"), Raised},
    {2, 9, ar(u"قا"), Raised},
    {2, 10, ar(u"ظتا"), Raised},
    {2, 11, ar(u"ظا"), Raised},
    {2, 12, ar(u"جتا"), Raised},
    {2, 13, ar(u"جا"), Raised},
    // Row 3, lowered
    {3, 0, ar(u"٣").small()},              // the cube of a denominator
    {3, 1, sym(u"−"), Lowered},
    {3, 2, sym(u"+"), Lowered},
    {3, 3, sym(u"×"), Lowered},
    {3, 4, art(Art::Bar, Span::Short), Lowered},
    {3, 5, art(Art::Radical).mirror(), Lowered},
    {3, 6, italic(u"e"), Lowered},
    {3, 7, ar(u"لو"), Lowered},
    {3, 8, ar(u"قتا"), Lowered},
    {3, 9, ar(u"قا"), Lowered},
    {3, 10, ar(u"ظتا"), Lowered},
    {3, 11, ar(u"ظا"), Lowered},
    {3, 12, ar(u"جتا"), Lowered},
    {3, 13, ar(u"جا"), Lowered},
};

} // namespace

FaceTable lettersFaces() { return faces; }

} // namespace picturegen
