#pragma once

#include <string_view>

namespace palette {

// What a click on editing-strip cell Label2_i does: the font set before
// typing, the text typed, whether the character before the insertion point
// is deleted first, whether the default beep sounds before anything else,
// and the words of the cell's face, which name the edit in the word
// processor's undo list. The strip does not depend on the current panel.
struct StripCell {
    std::u16string_view font;
    std::u16string_view text;
    bool deleteFirst;
    bool beepFirst;
    std::u16string_view undoTitle;
};

inline constexpr StripCell kStripCells[] = {
    /* 0 space    */ {u"Traditional Arabic", u"\x0020", false, true, u"مسافة"},
    /* 1 delete   */ {u"Traditional Arabic", u"", true, false, u"حذف"},
    /* 2 new line */ {u"Traditional Arabic", u"\x000D", false, false, u"سطر جديد"},
    /* 3 (out of view; only sets the text font) */ {u"Traditional Arabic", u"", false, false, u""},
    /* 4 (س،ص)    */ {u"Al-DizaDorvan", u"\x007B\x0633\x060C\x0635\x007D", false, false, u"(س،ص)"},
    /* 5 د(س)=    */ {u"Al-DizaDorvan", u"\x0020\x062C\x062F\x0020", false, false, u"د(س)="},
};

} // namespace palette
