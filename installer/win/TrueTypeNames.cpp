#include "TrueTypeNames.h"

#include <cstdint>

namespace installer::win {
namespace {

// Big-endian reads that fail instead of reading past the end.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) { }

    std::optional<std::uint32_t> At(std::size_t offset, std::size_t width) const
    {
        if (offset > bytes_.size() || width > bytes_.size() - offset)
            return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < width; ++i)
            value = (value << 8) | static_cast<unsigned char>(bytes_[offset + i]);
        return value;
    }
    std::optional<std::uint32_t> U16(std::size_t offset) const { return At(offset, 2); }
    std::optional<std::uint32_t> U32(std::size_t offset) const { return At(offset, 4); }

private:
    std::string_view bytes_;
};

constexpr std::uint32_t Tag(const char (&tag)[5])
{
    return (std::uint32_t(std::uint8_t(tag[0])) << 24) | (std::uint32_t(std::uint8_t(tag[1])) << 16)
           | (std::uint32_t(std::uint8_t(tag[2])) << 8) | std::uint32_t(std::uint8_t(tag[3]));
}

constexpr std::uint32_t kPlatformWindows = 3;
constexpr std::uint32_t kEncodingUnicodeBmp = 1;
constexpr std::uint32_t kLanguageAmericanEnglish = 0x409;
constexpr std::uint32_t kNameFull = 4;

std::optional<std::size_t> NameTable(const Reader& font)
{
    const auto version = font.U32(0);
    if (!version || (*version != 0x00010000 && *version != Tag("OTTO") && *version != Tag("true")))
        return std::nullopt;
    const auto tables = font.U16(4);
    if (!tables)
        return std::nullopt;
    for (std::uint32_t i = 0; i < *tables; ++i) {
        const std::size_t record = 12 + 16 * std::size_t(i);
        const auto tag = font.U32(record);
        if (!tag)
            return std::nullopt;
        if (*tag == Tag("name")) {
            const auto offset = font.U32(record + 8);
            return offset ? std::optional<std::size_t>(*offset) : std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::u16string> TrueTypeFullName(std::string_view bytes)
{
    const Reader font(bytes);
    const auto table = NameTable(font);
    if (!table)
        return std::nullopt;
    const auto count = font.U16(*table + 2);
    const auto storage = font.U16(*table + 4);
    if (!count || !storage)
        return std::nullopt;

    std::optional<std::u16string> anyLanguage;
    for (std::uint32_t i = 0; i < *count; ++i) {
        const std::size_t record = *table + 6 + 12 * std::size_t(i);
        const auto platform = font.U16(record);
        const auto encoding = font.U16(record + 2);
        const auto language = font.U16(record + 4);
        const auto name = font.U16(record + 6);
        const auto length = font.U16(record + 8);
        const auto offset = font.U16(record + 10);
        if (!platform || !encoding || !language || !name || !length || !offset)
            return std::nullopt;
        if (*platform != kPlatformWindows || *encoding != kEncodingUnicodeBmp || *name != kNameFull)
            continue;
        std::u16string text;
        const std::size_t start = *table + *storage + *offset;
        for (std::size_t at = start; at + 1 < start + *length; at += 2) {
            const auto unit = font.U16(at);
            if (!unit)
                return std::nullopt;
            text += static_cast<char16_t>(*unit);
        }
        if (*language == kLanguageAmericanEnglish)
            return text;
        if (!anyLanguage)
            anyLanguage = text;
    }
    return anyLanguage;
}

} // namespace installer::win
