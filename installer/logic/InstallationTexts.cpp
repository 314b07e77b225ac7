#include "InstallationTexts.h"

namespace installer {
namespace {

struct Reason {
    FailureKind kind;
    std::u16string_view text;
};

constexpr Reason kReasons[] = {
    {FailureKind::Permission, u"مستخدم أو محمي من الكتابة"},
    {FailureKind::Other, u"غير موجود أو خطأ في القرص"},
    {FailureKind::Denied, u"لا صلاحية أو القرص للقراءة فقط"},
    {FailureKind::NoSpace, u"القرص ممتلئ"},
    {FailureKind::NotFound, u"غير موجود"},
};

std::u16string_view ReasonText(FailureKind kind)
{
    for (const Reason& reason : kReasons) {
        if (reason.kind == kind)
            return reason.text;
    }
    return kReasons[1].text;
}

std::u16string_view Verb(FileAction action)
{
    switch (action) {
    case FileAction::Read: return u"تعذرت قراءة ";
    case FileAction::CreateFolder: return u"تعذر إنشاء المجلد ";
    case FileAction::Register: return u"تعذر تسجيل الخط ";
    case FileAction::Copy: break;
    }
    return u"تعذر نسخ ";
}

} // namespace

std::u16string FailureText(FileAction action, std::u16string_view fileName, FailureKind kind)
{
    std::u16string text(Verb(action));
    text += fileName;
    text += u" (";
    text += ReasonText(kind);
    text += u")";
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
    case InstallPart::Template: line = u"لم يثبت القالب: "; break;
    case InstallPart::Fonts: line = u"لم تثبت الخطوط: "; break;
    case InstallPart::ProgramFiles: line = u"لم تثبت ملفات البرنامج: "; break;
    }
    line += failure;
    return line;
}

} // namespace installer
