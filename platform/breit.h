#pragma once
// Windows' wide strings and the UTF-8 the program uses inside: one pair of
// conversions for every Win32 file (built on Windows only).
#include <string>
#include <string_view>

namespace qzl {

// UTF-8 to UTF-16; bytes that are no UTF-8 (a Latin-1 name from an old
// file) are taken in the ANSI code page, so nothing is lost.
std::wstring breit(std::string_view utf8);
std::string utf8(std::wstring_view breit);

}  // namespace qzl
