#include "InstallationTexts.h"

namespace installer {

std::u16string CopyFailedCaption(std::u16string_view fileName, std::u16string_view folder,
                                 FailureKind kind)
{
    const std::u16string_view reason = kind == FailureKind::Permission
        ? u"الملف مستخدم من برنامج آخر أو القرص محمي من الكتابة"
        : u"الملف المصدر أو مجلد التثبيت غير موجود";
    std::u16string caption = u"تعذر نسخ الملف ";
    caption += fileName;
    caption += u" إلى المجلد ";
    caption += folder;
    caption += u" لأن ";
    caption += reason;
    caption += u"، فضلا أصلح ذلك ثم اضغط مفتاح نعم";
    return caption;
}

} // namespace installer
