#pragma once

// The wizard window's controls, view by view, as they are laid out:
// positions are left, top, width, height in twips (15 twips to a pixel),
// relative to the window's client area for the welcome view and to the
// page for page controls. Each table lists its container's controls topmost
// first (common/DesignWalk.h).

#include "DesignWalk.h"
#include "Twips.h"

#include <array>

namespace installer::wizard {

enum class Kind {
    Rectangle, // a frame line only
    Label,
    Box, // a blank label with a single-line border
    Button,
    PictureButton, // a button showing the question-mark icon
    Logo,          // the product's logo
    DocumentIcon,  // the word processor's icon
    List,          // never visible
    FileList,      // never visible
    Page,          // a hidden panel of its own controls, laid over the welcome view
};

enum class Look {
    Plain,        // Tahoma 9.75 pt bold, window colours, centred
    Caption,      // MS Sans Serif 12 pt bold, button colours, centred
    RightAligned, // as Plain, aligned right
    Bordered,     // as Plain, with a single-line border
    RedBand,      // as Plain, highlight-text colour on red
};

struct Control {
    const char* name;
    Kind kind;
    const char16_t* caption;
    glyphboard::TwipRect rect;
    Look look = Look::Plain;
};

inline constexpr glyphboard::TwipSize kWindowOuterSize{6345, 2250};
inline constexpr glyphboard::TwipSize kPageSize{4560, 1695};
// Where load moves every page.
inline constexpr glyphboard::TwipPoint kPagePlace{30, 0};

inline constexpr const char16_t* kWindowCaption = u"تثبيت برنامج Glyphboard";

// Only captions of controls set at run time or blank are empty here.
// Controls placed directly on the window: the pages and the logo over the
// welcome view's own labels and buttons.
inline constexpr std::array kWindowControls{
    Control{"Picture5", Kind::Page, u"", {0, 0, kPageSize.width, kPageSize.height}},
    Control{"Picture4", Kind::Page, u"", {0, 0, kPageSize.width, kPageSize.height}},
    Control{"Picture3", Kind::Page, u"", {0, 0, kPageSize.width, kPageSize.height}},
    Control{"Picture2", Kind::Logo, u"", {4605, 15, 1605, 1590}},
    Control{"Picture1", Kind::Page, u"", {0, 0, kPageSize.width, kPageSize.height}},
    Control{"File1", Kind::FileList, u"", {120, 5010, 1425, 1455}},
    Control{"List1", Kind::List, u"", {150, 3585, 1365, 1425}},
    Control{"Command2", Kind::Button, u"الغاء", {1095, 1260, 780, 375}},
    Control{"Command1", Kind::Button, u"<  التالي", {120, 1260, 960, 375}},
    Control{"Label2", Kind::Label, u"Label1", {30, 855, 4560, 345}, Look::Caption},
    Control{"Label1", Kind::Label, u"Label1", {30, 495, 4545, 345}, Look::Caption},
    Control{"Label4", Kind::Label, kWindowCaption, {15, 90, 4545, 345}},
    Control{"Label5", Kind::Label, u"", {15, 15, 4530, 345}},
    Control{"Shape1", Kind::Rectangle, u"", {30, 15, 4515, 450}},
};

inline constexpr std::array kConsentPage{
    Control{"Command5", Kind::PictureButton, u"", {1605, 1245, 780, 375}},
    Control{"Command4", Kind::Button, u"لا", {825, 1245, 780, 375}},
    Control{"Command3", Kind::Button, u"<  نعم", {45, 1245, 780, 375}},
    Control{"Image2", Kind::DocumentIcon, u"", {3960, 105, 435, 420}},
    Control{"Label3",
            Kind::Label,
            u"هذا البرنامج يعمل مع برنامج الوورد، وذلك باستخدام الماكرو؛ لذا يحتاج البرنامج إلى تثبيت ملف تابع "
            u"للوورد، هل توافق على تثبيت الملف؟",
            {45, 90, 3885, 1050}},
    Control{"Label6", Kind::Box, u"", {30, 30, 4455, 1200}},
};

inline constexpr std::array kHelpPage{
    Control{"Command8", Kind::Button, u"<  رجوع", {15, 1230, 960, 375}},
    Control{"Label10",
            Kind::Label,
            u"تتعلق ببرنامج الوورد مثل نوع الخط وواجهة البرنامج، وملفات الماكرو",
            {60, 510, 4365, 585}},
    Control{"Label9", Kind::Label, u"لحفظ خيارات", {105, 225, 1185, 285}, Look::RightAligned},
    Control{"Label7", Kind::Label, u"Normal.dot يستخدم الوورد الملف", {1305, 225, 3135, 285}, Look::RightAligned},
    Control{"Label8", Kind::Box, u"", {30, 30, 4455, 1125}},
};

inline constexpr std::array kSuccessPage{
    Control{"Command6", Kind::Button, u"<  التالي", {30, 1245, 960, 375}},
    Control{"Label11", Kind::Label, u"تم التثبيت بنجاح", {60, 360, 4365, 315}},
    Control{"Label14", Kind::Box, u"", {30, 30, 4455, 1125}},
};

inline constexpr std::array kFarewellPage{
    Control{"Command7", Kind::Button, u"اغلاق", {120, 1200, 960, 375}},
    Control{"Label17", Kind::Label, u"فضلا أعد تشغيل الويندوز", {1365, 1230, 2895, 315}, Look::RedBand},
    Control{"Label15", Kind::Label, u"feedback@glyphboard.example", {105, 825, 4320, 315}, Look::Bordered},
    Control{"Label20", Kind::Label, u"ترسل الملاحظات على العنوان التالي", {60, 450, 4365, 315}},
    Control{"Label16", Kind::Label, u"لا تنسونا من دعائكم", {645, 105, 3255, 315}},
    Control{"Label18", Kind::Box, u"", {30, 30, 4455, 1590}},
};

// The window's containers in the order a front end builds them: the window
// first, so that each page exists before its controls.
// One row a line, as a table reads.
// clang-format off
inline constexpr glyphboard::ContainerDesign<Control> kContainers[] = {
    {nullptr, kWindowControls},
    {"Picture1", kConsentPage},
    {"Picture3", kHelpPage},
    {"Picture4", kSuccessPage},
    {"Picture5", kFarewellPage},
};
// clang-format on

} // namespace installer::wizard
