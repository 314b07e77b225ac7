#pragma once

#include <windows.h>

#include <string>

namespace doclink {

// A short description of a failing COM or automation result, with its code
// in hex ("class not registered (0x80040154)"). Our own words: the system
// has no text for many COM codes, wine none at all.
std::string DescribeComResult(HRESULT result);

} // namespace doclink
