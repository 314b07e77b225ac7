#include "InstallationTexts.h"

namespace installer {
namespace {

struct Reason {
    FailureKind kind;
    std::u16string_view text;
};

constexpr Reason reasons[] = {
    {FailureKind::Permission, u"ملفا بهذا الاسم مستخدم أو القرص محمي من الكتابة"},
    {FailureKind::Other, u"الملف المصدر أو مجلد التثبيت غير موجود"},
    {FailureKind::Denied, u"لا صلاحية للقراءة أو الكتابة أو القرص للقراءة فقط"},
    {FailureKind::NoSpace, u"القرص ممتلئ"},
    {FailureKind::NotFound, u"الملف أو المجلد غير موجود"},
};

std::u16string_view ReasonText(FailureKind kind)
{
    for (const Reason& reason : reasons) {
        if (reason.kind == kind)
            return reason.text;
    }
    return reasons[1].text;
}

std::u16string_view Verb(FileAction action)
{
    switch (action) {
    case FileAction::Read:
        return u"تعذرت قراءة الملف ";
    case FileAction::CreateFolder:
        return u"تعذر إنشاء المجلد ";
    case FileAction::Copy:
        break;
    }
    return u"تعذر نسخ الملف ";
}

} // namespace

std::u16string FailureText(FileAction action, std::u16string_view fileName, FailureKind kind)
{
    std::u16string text(Verb(action));
    text += fileName;
    text += u" لأن ";
    text += ReasonText(kind);
    return text;
}

std::u16string CopyFailedCaption(std::u16string_view fileName, FailureKind kind)
{
    return FailureText(FileAction::Copy, fileName, kind);
}

std::u16string PartNotInstalledLine(InstallPart part, std::u16string_view failure)
{
    std::u16string line;
    switch (part) {
    case InstallPart::Template:
        line = u"لم يثبت القالب: ";
        break;
    case InstallPart::Fonts:
        line = u"لم تثبت الخطوط: ";
        break;
    case InstallPart::ProgramFiles:
        line = u"لم تثبت ملفات البرنامج: ";
        break;
    }
    line += failure;
    return line;
}

} // namespace installer
