#pragma once

#include <string_view>

namespace palette {

// What a click on editing-strip cell Label2_i does: the font set before
// typing, the text typed, whether the character before the insertion point
// is deleted first, and whether the default beep sounds before anything
// else. The strip does not depend on the current panel.
struct StripCell {
    std::u16string_view font;
    std::u16string_view text;
    bool deleteFirst;
    bool beepFirst;
};

inline constexpr StripCell kStripCells[] = {
    /* 0 space    */ {u"Traditional Arabic", u"\x0020", false, true},
    /* 1 delete   */ {u"Traditional Arabic", u"", true, false},
    /* 2 new line */ {u"Traditional Arabic", u"\x000D", false, false},
    /* 3 (out of view; only sets the text font) */ {u"Traditional Arabic", u"", false, false},
    /* 4 (س،ص)    */ {u"Al-DizaDorvan", u"\x007B\x0633\x060C\x0635\x007D", false, false},
    /* 5 د(س)=    */ {u"Al-DizaDorvan", u"\x0020\x062C\x062F\x0020", false, false},
};

} // namespace palette
