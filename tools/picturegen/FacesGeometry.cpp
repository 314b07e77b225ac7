// Faces of the geometry panel, row by row, columns 0 to 13 from the left.
// Cells 42 and 43 (row 3, columns 0 and 1) are empty.
#include "Face.h"

namespace picturegen {
namespace {

using enum Place;
using enum Ink;

constexpr Face faces[] = {
    // Row 0
    {0, 0, ar(u"م")},
    {0, 1, ar(u"ك")},
    {0, 2, ar(u"ح")},
    {0, 3, ar(u"هـ")},
    {0, 4, ar(u"د")},
    {0, 5, ar(u"ج")},
    {0, 6, ar(u"ب")},
    {0, 7, ar(u"أ")},
    {0, 8, fraction(u"أ", u"١ − ر")},
    {0, 9, art(Art::Arc, Span::Short)},
    {0, 10, art(Art::Hat, Span::Short)},
    {0, 11, art(Art::Box, Span::Wide)},      // rectangle
    {0, 12, sym(u"//")},
    {0, 13, sym(u"∵")},
    // Row 1
    {1, 0, sym(u"/")},
    {1, 1, ar(u"ر")},
    {1, 2, ar(u"ش")},
    {1, 3, ar(u"ع")},
    {1, 4, ar(u"ص")},
    {1, 5, ar(u"س")},
    {1, 6, ar(u"ن")},
    {1, 7, ar(u"ق")},
    {1, 8, fraction(u"د(ب) − د(أ)", u"ب − أ")},
    {1, 9, art(Art::Arc, Span::Long)},
    {1, 10, art(Art::Hat, Span::Wide)},
    {1, 11, art(Art::Box, Span::Medium)},    // square
    {1, 12, sym(u"⊥")},
    {1, 13, sym(u"∴")},
    // Row 2
    {2, 0, art(Art::DotLine, Span::Long)},
    {2, 1, art(Art::DotLine, Span::Medium)},
    {2, 2, art(Art::Bar, Span::Short)},
    {2, 3, art(Art::Radical, Span::Short).mirror()},
    {2, 4, art(Art::Bar, Span::Medium), Middle, Grey},
    {2, 5, art(Art::Radical, Span::Medium).mirror()},
    {2, 6, art(Art::Bar, Span::Long), TopRight},
    {2, 7, art(Art::Radical, Span::Long).mirror()},
    {2, 8, binomial(u"ك", u"ر")},
    {2, 9, art(Art::FilledBox)},
    {2, 10, art(Art::Arc, Span::Wide)},      // wide and flat
    {2, 11, art(Art::Circle)},
    {2, 12, sym(u"|")},
    {2, 13, sym(u"∀")},
    // Row 3
    {3, 2, sym(u"⟷").small(), Top},
    {3, 3, art(Art::HalfArrowBar), Top},
    {3, 4, sym(u"‖"), Middle, Grey},
    {3, 5, art(Art::Bar, Span::Short), Lowered},
    {3, 6, sym(u"⌋")},
    {3, 7, sym(u"%")},
    {3, 8, binomial(u"ك", u"ر − ك")},
    {3, 9, sym(u"!")},
    {3, 10, sym(u"∠").mirror()},             // opening to the left
    {3, 11, sym(u"△").small()},
    {3, 12, sym(u"π")},
    {3, 13, ar(u"نق").small()},
};

} // namespace

FaceTable geometryFaces() { return faces; }

} // namespace picturegen
