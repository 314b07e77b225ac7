#pragma once

#include "FileSystem.h"

#include <string>
#include <string_view>

namespace installer {

// Consent-page captions set while and after the installation runs.
inline constexpr std::u16string_view kCopyingFontsCaption = u"الآن يتم نسخ الخطوط اللآزمة";
inline constexpr std::u16string_view kWordRunningCaption =
    u"برنامج الوورد يعمل الآن، فضلا أغلق الوورد ثم اضغض مفتاح نعم";
// Another installer holds the lock: nothing was touched, Yes tries again.
inline constexpr std::u16string_view kBusyCaption =
    u"برنامج تثبيت آخر يعمل الآن، فضلا انتظر حتى ينتهي ثم اضغط مفتاح نعم";

// What the installation was doing with a file when it failed.
enum class FileAction { Copy, Read, CreateFolder, Register };

// The parts of the installation that can fail on their own.
enum class InstallPart { Template, Fonts, ProgramFiles };

// Names the file that could not be copied, read or made and why, in a few
// words: a line of it fits the consent page and the last page.
std::u16string FailureText(FileAction action, std::u16string_view fileName, FailureKind kind);

// The program file that could not be copied into the install folder.
std::u16string CopyFailedCaption(std::u16string_view fileName, FailureKind kind);

// One line of the report of an incomplete installation: the part that was
// not installed, then the failure that stopped it.
std::u16string PartNotInstalledLine(InstallPart part, std::u16string_view failure);

// Heads the report of an installation that left parts out.
inline constexpr std::u16string_view kIncompleteHeading = u"لم يكتمل التثبيت:";

} // namespace installer
