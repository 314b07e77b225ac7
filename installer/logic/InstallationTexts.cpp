#include "InstallationTexts.h"

namespace installer {

std::u16string CopyFailedCaption(std::u16string_view fileName, FailureKind kind)
{
    const std::u16string_view reason = kind == FailureKind::Permission
        ? u"ملفا بهذا الاسم مستخدم أو القرص محمي من الكتابة"
        : u"الملف المصدر أو مجلد التثبيت غير موجود";
    std::u16string caption = u"تعذر نسخ الملف ";
    caption += fileName;
    caption += u" لأن ";
    caption += reason;
    return caption;
}

} // namespace installer
