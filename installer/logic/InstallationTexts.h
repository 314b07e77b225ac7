#pragma once

#include "FileSystem.h"

#include <string>
#include <string_view>

namespace installer {

// Consent-page captions set while and after the installation runs.
inline constexpr std::u16string_view CopyingFontsCaption = u"الآن يتم نسخ الخطوط اللآزمة";
inline constexpr std::u16string_view WordRunningCaption =
    u"برنامج الوورد يعمل الآن، فضلا أغلق الوورد ثم اضغض مفتاح نعم";

// Names the program file that could not be copied into the install folder
// and why; short enough for the consent page, where Yes lets the user retry.
std::u16string CopyFailedCaption(std::u16string_view fileName, FailureKind kind);

} // namespace installer
