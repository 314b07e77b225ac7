// Faces of the geometry panel, row by row, columns 0 to 13 from the left.
// Cells 42 and 43 (row 3, columns 0 and 1) are empty.
#include "Face.h"

namespace picturegen {
namespace {

using enum Place;
using enum Ink;

constexpr Face kFaces[] = {
    // Row 0
    {0, 0, Ar(u"م")},
    {0, 1, Ar(u"ك")},
    {0, 2, Ar(u"ح")},
    {0, 3, Ar(u"هـ")},
    {0, 4, Ar(u"د")},
    {0, 5, Ar(u"ج")},
    {0, 6, Ar(u"ب")},
    {0, 7, Ar(u"أ")},
    {0, 8, Fraction(u"أ", u"١ − ر")},
    {0, 9, Figure(Art::Arc, Span::Short)},
    {0, 10, Figure(Art::Hat, Span::Short)},
    {0, 11, Figure(Art::Box, Span::Wide)}, // rectangle
    {0, 12, Sym(u"//")},
    {0, 13, Sym(u"∵")},
    // Row 1
    {1, 0, Sym(u"/")},
    {1, 1, Ar(u"ر")},
    {1, 2, Ar(u"ش")},
    {1, 3, Ar(u"ع")},
    {1, 4, Ar(u"ص")},
    {1, 5, Ar(u"س")},
    {1, 6, Ar(u"ن")},
    {1, 7, Ar(u"ق")},
    {1, 8, Fraction(u"د(ب) − د(أ)", u"ب − أ")},
    {1, 9, Figure(Art::Arc, Span::Long)},
    {1, 10, Figure(Art::Hat, Span::Wide)},
    {1, 11, Figure(Art::Box, Span::Medium)}, // square
    {1, 12, Sym(u"⊥")},
    {1, 13, Sym(u"∴")},
    // Row 2
    {2, 0, Figure(Art::DotLine, Span::Long)},
    {2, 1, Figure(Art::DotLine, Span::Medium)},
    {2, 2, Figure(Art::Bar, Span::Short)},
    {2, 3, Figure(Art::Radical, Span::Short).Mirror()},
    {2, 4, Figure(Art::Bar, Span::Medium), Middle, Grey},
    {2, 5, Figure(Art::Radical, Span::Medium).Mirror()},
    {2, 6, Figure(Art::Bar, Span::Long), TopRight},
    {2, 7, Figure(Art::Radical, Span::Long).Mirror()},
    {2, 8, Binomial(u"ك", u"ر")},
    {2, 9, Figure(Art::FilledBox)},
    {2, 10, Figure(Art::Arc, Span::Wide)}, // wide and flat
    {2, 11, Figure(Art::Circle)},
    {2, 12, Sym(u"|")},
    {2, 13, Sym(u"∀")},
    // Row 3
    {3, 2, Sym(u"⟷").Small(), Top},
    {3, 3, Figure(Art::HalfArrowBar), Top},
    {3, 4, Sym(u"‖"), Middle, Grey},
    {3, 5, Figure(Art::Bar, Span::Short), Lowered},
    {3, 6, Sym(u"⌋")},
    {3, 7, Sym(u"%")},
    {3, 8, Binomial(u"ك", u"ر − ك")},
    {3, 9, Sym(u"!")},
    {3, 10, Sym(u"∠").Mirror()}, // opening to the left
    {3, 11, Sym(u"△").Small()},
    {3, 12, Sym(u"π")},
    {3, 13, Ar(u"نق").Small()},
};

} // namespace

FaceTable GeometryFaces()
{
    return kFaces;
}

} // namespace picturegen
