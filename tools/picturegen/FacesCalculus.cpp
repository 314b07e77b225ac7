// Faces of the calculus panel, row by row, columns 0 to 13 from the left.
// Cell 14 (row 1, column 0) is empty. The summation signs read right to
// left like the integral sign, so all of them are mirrored.
#include "Face.h"

namespace picturegen {
namespace {

using enum Place;
using enum Ink;

constexpr Face kFaces[] = {
    // Row 0
    {0, 0, Ar(u"ط").Small(), Raised},
    {0, 1, Ar(u"س").Small(), Raised},
    {0, 2, Ar(u"ب").Small(), Raised},
    {0, 3, Ar(u"أ").Small(), Raised},
    {0, 4, Sym(u"∫").Huge().Mirror()},
    {0, 5, Sym(u"′")},
    {0, 6, Thin(u"(")},
    {0, 7, Thin(u")")},
    {0, 8, Sym(u"∪")},
    {0, 9, Sym(u"∩")},
    {0, 10, Fraction(u"صفر", u"صفر")},
    {0, 11, Limit(u"س←")},
    {0, 12, Sum({}, {}).Mirror()},
    {0, 13, Fraction(u"ءص", u"ءس")},
    // Row 1
    {1, 1, Ar(u"س").Small(), Lowered},
    {1, 2, Ar(u"ب").Small(), Lowered},
    {1, 3, Ar(u"أ").Small(), Lowered},
    {1, 4, Italic(u"e").Large()},
    {1, 5, Sym(u"″")},
    {1, 6, Sym(u"(")},
    {1, 7, Sym(u")")},
    {1, 8, Sym(u"↘")},
    {1, 9, Sym(u"↗")},
    {1, 10, Fraction(u"∞", u"∞")},
    {1, 11, Limit(u"س←±")},
    {1, 12, Sum({}, u"ر=١").Mirror()},
    {1, 13, Fraction(u"ء²ص", u"ءس²")},
    // Row 2
    {2, 0, Italic(u"e").Small(), Raised},
    {2, 1, Ar(u"لو").Small(), Raised},
    {2, 2, Fraction(u"ط", u"٢").Tiny(), Raised},
    {2, 3, Sym(u"−").Small(), Raised},
    {2, 4, Ar(u"ء")},
    {2, 5, Sym(u"‴")},
    {2, 6, Sym(u"(").Small(), Raised},
    {2, 7, Sym(u")").Small(), Raised},
    {2, 8, Figure(Art::Box, Span::Short), Raised},
    {2, 9, Sym(u"△").Small(), Raised},
    {2, 10, Sym(u"∞"), Lowered},
    {2, 11, Limit(u"هـ←")},
    {2, 12, Sum(u"∞", u"ر=١").Mirror()},
    {2, 13, Fraction(u"ء³ص", u"ءس³")},
    // Row 3
    {3, 0, Italic(u"e").Small(), Lowered},
    {3, 1, Ar(u"لو").Small(), Lowered},
    {3, 2, Sym(u"+").Small(), Lowered},
    {3, 3, Sym(u"−").Small(), Lowered},
    {3, 4, Ar(u"س").Large()},
    {3, 5, Ar(u"ص").Large()},
    {3, 6, Sym(u"(").Small(), Lowered},
    {3, 7, Sym(u")").Small(), Lowered},
    {3, 8, Figure(Art::Box, Span::Short), Lowered},
    {3, 9, Sym(u"△").Small(), Lowered},
    {3, 10, Sym(u"∞")},
    {3, 11, Limit(u"ن←")},
    {3, 12, Sum(u"م", u"ر=١").Mirror()},
    {3, 13, Fraction(u"ءⁿص", u"ءسⁿ")},
};

} // namespace

FaceTable CalculusFaces()
{
    return kFaces;
}

} // namespace picturegen
