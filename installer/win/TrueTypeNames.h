#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace installer::win {

// The full font name ("Al-DizaDorvan") that a TrueType or OpenType file
// gives for Windows, read from its naming table: name 4 in the Windows
// Unicode encoding, American English preferred, else the first of any
// language. Nothing when the bytes are no such font or carry no such name.
std::optional<std::u16string> TrueTypeFullName(std::string_view font);

} // namespace installer::win
