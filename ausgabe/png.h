#pragma once
// The display bitmap as a picture file, encoded by the system's library
// (libpng on POSIX, the imaging component on Windows).
#include <string>

#include "raster/anzeige_bitmap.h"

namespace qzl {

// An 8-bit palette PNG with the colour table; empty when the encoder fails.
std::string pngKodieren(const AnzeigeBitmap& bild);

}  // namespace qzl
