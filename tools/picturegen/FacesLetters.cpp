// Faces of the letters and functions panel, row by row, columns 0 to 13 from
// the left. The upper row of each pair is raised (numerators), the lower one
// lowered (denominators).
#include "Face.h"

namespace picturegen {
namespace {

using enum Place;
using enum Ink;

constexpr Face kFaces[] = {
    // Row 0, raised
    {0, 0, Ar(u"ع"), Raised},
    {0, 1, Ar(u"ص"), Raised},
    {0, 2, Ar(u"س"), Raised},
    {0, 3, Ar(u"ن"), Raised},
    {0, 4, Ar(u"م"), Raised},
    {0, 5, Ar(u"ك"), Raised},
    {0, 6, Ar(u"ط"), Raised},
    {0, 7, Ar(u"ر"), Raised},
    {0, 8, Ar(u"ت"), Raised},
    {0, 9, Ar(u"هـ"), Raised},
    {0, 10, Ar(u"ء"), Raised},
    {0, 11, Ar(u"ج"), Raised},
    {0, 12, Ar(u"ب"), Raised},
    {0, 13, Ar(u"أ"), Raised},
    // Row 1, lowered
    {1, 0, Ar(u"ع"), Lowered},
    {1, 1, Ar(u"ص"), Lowered},
    {1, 2, Ar(u"س"), Lowered},
    {1, 3, Ar(u"ن"), Lowered},
    {1, 4, Ar(u"م"), Lowered},
    {1, 5, Ar(u"ك"), Lowered},
    {1, 6, Ar(u"ط"), Lowered},
    {1, 7, Ar(u"ر"), Lowered},
    {1, 8, Ar(u"ت"), Lowered},
    {1, 9, Ar(u"هـ"), Lowered},
    {1, 10, Ar(u"ء"), Lowered},
    {1, 11, Ar(u"ج"), Lowered},
    {1, 12, Ar(u"ب"), Lowered},
    {1, 13, Ar(u"أ"), Lowered},
    // Row 2, raised
    {2, 0, Ar(u"٢").Small(), Lowered}, // the square of a denominator
    {2, 1, Sym(u"−"), Raised},
    {2, 2, Sym(u"+"), Raised},
    {2, 3, Sym(u"×"), Raised},
    {2, 4, Figure(Art::Bar, Span::Short), TopRight}, // completes a radical's bar
    {2, 5, Figure(Art::Radical).Mirror(), Raised},
    {2, 6, Italic(u"e"), Raised},
    {2, 7, Ar(u"لو"), Raised},
    {2, 8, Ar(u"قتا"), Raised},
    {2, 9, Ar(u"قا"), Raised},
    {2, 10, Ar(u"ظتا"), Raised},
    {2, 11, Ar(u"ظا"), Raised},
    {2, 12, Ar(u"جتا"), Raised},
    {2, 13, Ar(u"جا"), Raised},
    // Row 3, lowered
    {3, 0, Ar(u"٣").Small()}, // the cube of a denominator
    {3, 1, Sym(u"−"), Lowered},
    {3, 2, Sym(u"+"), Lowered},
    {3, 3, Sym(u"×"), Lowered},
    {3, 4, Figure(Art::Bar, Span::Short), Lowered},
    {3, 5, Figure(Art::Radical).Mirror(), Lowered},
    {3, 6, Italic(u"e"), Lowered},
    {3, 7, Ar(u"لو"), Lowered},
    {3, 8, Ar(u"قتا"), Lowered},
    {3, 9, Ar(u"قا"), Lowered},
    {3, 10, Ar(u"ظتا"), Lowered},
    {3, 11, Ar(u"ظا"), Lowered},
    {3, 12, Ar(u"جتا"), Lowered},
    {3, 13, Ar(u"جا"), Lowered},
};

} // namespace

FaceTable LettersFaces()
{
    return kFaces;
}

} // namespace picturegen
