// Faces of the algebra and operations panel, row by row, columns 0 to 13
// from the left. Relation, set and arrow symbols are listed as they are seen:
// already in their right-to-left form.
#include "Face.h"

namespace picturegen {
namespace {

using enum Place;
using enum Ink;

constexpr Face faces[] = {
    // Row 0
    {0, 0, sym(u"≥")},
    {0, 1, sym(u"≤")},
    {0, 2, sym(u"≠")},
    {0, 3, sym(u">")},
    {0, 4, sym(u"<")},
    {0, 5, sym(u"=").small(), Lowered},
    {0, 6, art(Art::Bar, Span::Long), Lowered},
    {0, 7, art(Art::Bar, Span::Short), Lowered, Grey},
    {0, 8, sym(u"÷")},
    {0, 9, sym(u"×")},
    {0, 10, sym(u"∓")},
    {0, 11, sym(u"±")},
    {0, 12, sym(u"+")},
    {0, 13, sym(u"−"), Middle, Grey},
    // Row 1
    {1, 0, sym(u"⟷")},
    {1, 1, sym(u"⟵")},
    {1, 2, sym(u"⟶")},
    {1, 3, sym(u"∨")},
    {1, 4, sym(u"∼")},
    {1, 5, sym(u"≈")},
    {1, 6, ar(u"،").small()},
    {1, 7, sym(u"∅")},
    {1, 8, sym(u"∩")},
    {1, 9, sym(u"∪")},
    {1, 10, sym(u"⊅")},
    {1, 11, sym(u"⊃")},
    {1, 12, sym(u"∌")},
    {1, 13, sym(u"∋")},
    // Row 2
    {2, 0, sym(u"⇐")},
    {2, 1, art(Art::DoubleBar), Middle, Faint},
    {2, 2, sym(u"⇒")},
    {2, 3, sym(u"∧")},
    {2, 4, sym(u"≢")},
    {2, 5, sym(u"≡")},
    {2, 6, calli(u"ى")},               // letter sign with a looped tail
    {2, 7, outlined(u"ك")},            // doubled base stroke
    {2, 8, calli(u"ف").small()},       // small dotted letter sign
    {2, 9, calli(u"ر").small()},       // small hooked letter sign
    {2, 10, sym(u"′").small(), Raised},
    {2, 11, outlined(u"ش")},
    {2, 12, outlined(u"ص")},
    {2, 13, outlined(u"س")},
    // Row 3
    {3, 0, dingbat(u"✓")},
    {3, 1, dingbat(u"✗")},
    {3, 2, sym(u"∗").small(), Raised},
    {3, 3, sym(u"∗").large()},
    {3, 4, art(Art::ShortArrowLeft), Top},
    {3, 5, sym(u"=")},
    {3, 6, sym(u"▽")},
    {3, 7, sym(u"⊙")},
    {3, 8, sym(u"(")},
    {3, 9, sym(u")")},
    {3, 10, sym(u"[")},
    {3, 11, sym(u"]")},
    {3, 12, sym(u"{")},
    {3, 13, sym(u"}")},
};

} // namespace

FaceTable algebraFaces() { return faces; }

} // namespace picturegen
