#pragma once

#include <string>
#include <string_view>

// Conversions between the programs' UTF-16 texts and what Win32 calls take.
namespace glyphboard::win {

// UTF-16 as wchar_t, the same code units.
std::wstring ToWide(std::u16string_view text);
std::u16string FromWide(std::wstring_view text);

// The system's ANSI code page; characters it lacks become its default
// character. Every byte is converted, NULs included.
std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view bytes);

// UTF-8, for messages.
std::string ToUtf8(std::u16string_view text);
std::string ToUtf8(std::wstring_view text);

} // namespace glyphboard::win
