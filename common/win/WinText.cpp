#include "WinText.h"

#include <windows.h>

namespace glyphboard::win {

namespace {

std::string Narrow(UINT codePage, std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, result.data(), length, nullptr, nullptr);
    return result;
}

std::wstring_view AsWide(std::u16string_view text)
{
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

} // namespace

static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring ToWide(std::u16string_view text)
{
    return std::wstring(AsWide(text));
}

std::u16string FromWide(std::wstring_view text)
{
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::string ToAnsi(std::u16string_view text)
{
    return Narrow(CP_ACP, AsWide(text));
}

std::u16string FromAnsi(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, result.data(), length);
    return FromWide(result);
}

std::string ToUtf8(std::u16string_view text)
{
    return Narrow(CP_UTF8, AsWide(text));
}

std::string ToUtf8(std::wstring_view text)
{
    return Narrow(CP_UTF8, text);
}

} // namespace glyphboard::win
