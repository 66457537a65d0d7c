#pragma once
// Words in the picture: the number font's 8 x 8 cells, with letters beside
// its digits, for the figures a picture file carries (markers, a note).
// The diagram itself keeps to numbers (glyphen.h).
#include <cstdint>
#include <string_view>

#include "raster/raster.h"

namespace qzl {

// UTF-8 text from the cell at (x, y), one cell per character: the number
// font's digits, point, comma and minus; ASCII letters, Ä Ö Ü ä ö ü ß, Δ, the
// ellipsis and ( ) : / + =. Other characters stay blank.
void beschriftungZeichnen(Raster& r, int x, int y, std::string_view text, std::uint8_t index);
// The cells the text takes.
int beschriftungZellen(std::string_view text);

}  // namespace qzl
