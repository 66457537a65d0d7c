#pragma once
// The 8-bit character set of files written by the older program on the other
// platform (Windows-1252) beside the UTF-8 the program uses inside.
#include <optional>
#include <string>
#include <string_view>

namespace qzl {

bool gueltigesUtf8(std::string_view text);
// Every byte has a character; the five bytes Windows leaves undefined become
// the control characters of the same number, so nothing is lost.
std::string cp1252NachUtf8(std::string_view bytes);
// Nothing when the text is no valid UTF-8 or holds a character without a
// place in Windows-1252.
std::optional<std::string> utf8NachCp1252(std::string_view text);

// A text line of a file as the program shows it: UTF-8 as it is, anything
// else taken as Windows-1252.
std::string textAusDatei(std::string_view bytes);
// A text for a file: Windows-1252 where it fits, so the older program reads
// it, otherwise UTF-8; textAusDatei always gives the text back.
std::string textFuerDatei(std::string_view text);

}  // namespace qzl
