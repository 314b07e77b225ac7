#pragma once

// How the fake Word's log writes a text, and how the table it is compared
// with writes the expected one: printable ASCII as it is, every other UTF-16
// unit as \uXXXX, so that both sides spell a text the same way.

#include <cstdio>
#include <string>
#include <string_view>

namespace testing_win {

inline std::string LogText(std::u16string_view text)
{
    std::string shown;
    for (char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            shown += static_cast<char>(unit);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
            shown += escaped;
        }
    }
    return shown;
}

} // namespace testing_win
