// Faces of the calculus panel, row by row, columns 0 to 13 from the left.
// Cell 14 (row 1, column 0) is empty. The summation signs read right to
// left like the integral sign, so all of them are mirrored.
#include "Face.h"

namespace picturegen {
namespace {

using enum Place;
using enum Ink;

constexpr Face faces[] = {
    // Row 0
    {0, 0, ar(u"ط").small(), Raised},
    {0, 1, ar(u"س").small(), Raised},
    {0, 2, ar(u"ب").small(), Raised},
    {0, 3, ar(u"أ").small(), Raised},
    {0, 4, sym(u"∫").huge().mirror()},
    {0, 5, sym(u"′")},
    {0, 6, thin(u"(")},
    {0, 7, thin(u")")},
    {0, 8, sym(u"∪")},
    {0, 9, sym(u"∩")},
    {0, 10, fraction(u"صفر", u"صفر")},
    {0, 11, limit(u"س←")},
    {0, 12, sum({}, {}).mirror()},
    {0, 13, fraction(u"ءص", u"ءس")},
    // Row 1
    {1, 1, ar(u"س").small(), Lowered},
    {1, 2, ar(u"ب").small(), Lowered},
    {1, 3, ar(u"أ").small(), Lowered},
    {1, 4, italic(u"e").large()},
    {1, 5, sym(u"″")},
    {1, 6, sym(u"(")},
    {1, 7, sym(u")")},
    {1, 8, sym(u"↘")},
    {1, 9, sym(u"↗")},
    {1, 10, fraction(u"∞", u"∞")},
    {1, 11, limit(u"س←±")},
    {1, 12, sum({}, u"ر=١").mirror()},
    {1, 13, fraction(u"ء²ص", u"ءس²")},
    // Row 2
    {2, 0, italic(u"e").small(), Raised},
    {2, 1, ar(u"لو").small(), Raised},
    {2, 2, fraction(u"ط", u"٢").tiny(), Raised},
    {2, 3, sym(u"−").small(), Raised},
    {2, 4, ar(u"ء")},
    {2, 5, sym(u"‴")},
    {2, 6, sym(u"(").small(), Raised},
    {2, 7, sym(u")").small(), Raised},
    {2, 8, art(Art::Box, Span::Short), Raised},
    {2, 9, sym(u"△").small(), Raised},
    {2, 10, sym(u"∞"), Lowered},
    {2, 11, limit(u"هـ←")},
    {2, 12, sum(u"∞", u"ر=١").mirror()},
    {2, 13, fraction(u"ء³ص", u"ءس³")},
    // Row 3
    {3, 0, italic(u"e").small(), Lowered},
    {3, 1, ar(u"لو").small(), Lowered},
    {3, 2, sym(u"+").small(), Lowered},
    {3, 3, sym(u"−").small(), Lowered},
    {3, 4, ar(u"س").large()},
    {3, 5, ar(u"ص").large()},
    {3, 6, sym(u"(").small(), Lowered},
    {3, 7, sym(u")").small(), Lowered},
    {3, 8, art(Art::Box, Span::Short), Lowered},
    {3, 9, sym(u"△").small(), Lowered},
    {3, 10, sym(u"∞")},
    {3, 11, limit(u"ن←")},
    {3, 12, sum(u"م", u"ر=١").mirror()},
    {3, 13, fraction(u"ءⁿص", u"ءسⁿ")},
};

} // namespace

FaceTable calculusFaces() { return faces; }

} // namespace picturegen
