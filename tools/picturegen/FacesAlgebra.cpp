// Faces of the algebra and operations panel, row by row, columns 0 to 13
// from the left. Relation, set and arrow symbols are listed as they are seen:
// already in their right-to-left form.
#include "Face.h"

namespace picturegen {
namespace {

using enum Place;
using enum Ink;

constexpr Face kFaces[] = {
    // Row 0
    {0, 0, Sym(u"≥")},
    {0, 1, Sym(u"≤")},
    {0, 2, Sym(u"≠")},
    {0, 3, Sym(u">")},
    {0, 4, Sym(u"<")},
    {0, 5, Sym(u"=").Small(), Lowered},
    {0, 6, Figure(Art::Bar, Span::Long), Lowered},
    {0, 7, Figure(Art::Bar, Span::Short), Lowered, Grey},
    {0, 8, Sym(u"÷")},
    {0, 9, Sym(u"×")},
    {0, 10, Sym(u"∓")},
    {0, 11, Sym(u"±")},
    {0, 12, Sym(u"+")},
    {0, 13, Sym(u"−"), Middle, Grey},
    // Row 1
    {1, 0, Sym(u"⟷")},
    {1, 1, Sym(u"⟵")},
    {1, 2, Sym(u"⟶")},
    {1, 3, Sym(u"∨")},
    {1, 4, Sym(u"∼")},
    {1, 5, Sym(u"≈")},
    {1, 6, Ar(u"،").Small()},
    {1, 7, Sym(u"∅")},
    {1, 8, Sym(u"∩")},
    {1, 9, Sym(u"∪")},
    {1, 10, Sym(u"⊅")},
    {1, 11, Sym(u"⊃")},
    {1, 12, Sym(u"∌")},
    {1, 13, Sym(u"∋")},
    // Row 2
    {2, 0, Sym(u"⇐")},
    {2, 1, Figure(Art::DoubleBar), Middle, Faint},
    {2, 2, Sym(u"⇒")},
    {2, 3, Sym(u"∧")},
    {2, 4, Sym(u"≢")},
    {2, 5, Sym(u"≡")},
    {2, 6, Calli(u"ى")},         // letter sign with a looped tail
    {2, 7, Outlined(u"ك")},      // doubled base stroke
    {2, 8, Calli(u"ف").Small()}, // small dotted letter sign
    {2, 9, Calli(u"ر").Small()}, // small hooked letter sign
    {2, 10, Sym(u"′").Small(), Raised},
    {2, 11, Outlined(u"ش")},
    {2, 12, Outlined(u"ص")},
    {2, 13, Outlined(u"س")},
    // Row 3
    {3, 0, Dingbat(u"✓")},
    {3, 1, Dingbat(u"✗")},
    {3, 2, Sym(u"∗").Small(), Raised},
    {3, 3, Sym(u"∗").Large()},
    {3, 4, Figure(Art::ShortArrowLeft), Top},
    {3, 5, Sym(u"=")},
    {3, 6, Sym(u"▽")},
    {3, 7, Sym(u"⊙")},
    {3, 8, Sym(u"(")},
    {3, 9, Sym(u")")},
    {3, 10, Sym(u"[")},
    {3, 11, Sym(u"]")},
    {3, 12, Sym(u"{")},
    {3, 13, Sym(u"}")},
};

} // namespace

FaceTable AlgebraFaces()
{
    return kFaces;
}

} // namespace picturegen
