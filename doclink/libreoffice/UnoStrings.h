#pragma once

#include <rtl/ustring.hxx>

#include <string>
#include <string_view>

namespace doclink::office {

using rtl::OString;
using rtl::OUString;

// sal_Unicode and char16_t are distinct types of the same width; texts cross
// between them code unit by code unit, untouched.
inline OUString ToOUString(std::u16string_view text)
{
    return OUString(reinterpret_cast<const sal_Unicode*>(text.data()), static_cast<sal_Int32>(text.size()));
}

inline OUString ToOUString(std::string_view utf8)
{
    return OUString(utf8.data(), static_cast<sal_Int32>(utf8.size()), RTL_TEXTENCODING_UTF8);
}

inline std::u16string ToU16String(const OUString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.getStr()),
                          static_cast<std::size_t>(text.getLength()));
}

inline std::string ToUtf8(const OUString& text)
{
    const OString utf8 = OUStringToOString(text, RTL_TEXTENCODING_UTF8);
    return std::string(utf8.getStr(), static_cast<std::size_t>(utf8.getLength()));
}

} // namespace doclink::office
