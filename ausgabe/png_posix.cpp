// The display bitmap as PNG, written with libpng into memory.
#include <png.h>

#include "ausgabe/png.h"

namespace qzl {

namespace {

extern "C" void anhaengen(png_structp png, png_bytep daten, png_size_t laenge) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(daten), laenge);
}

extern "C" void nichts(png_structp) {}

}  // namespace

std::string pngKodieren(const AnzeigeBitmap& bild) {
    std::string ausgabe;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &ausgabe, anhaengen, nichts);
    png_set_IHDR(png, info, bitmapBreite, bitmapHoehe, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // The same colour table the window paints with, so each pixel keeps its
    // palette index.
    png_color palette[256];
    const auto& farben = farbtabelle();
    for (int i = 0; i < 256; ++i) {
        palette[i].red = static_cast<png_byte>(farben[static_cast<std::size_t>(i)] >> 16);
        palette[i].green = static_cast<png_byte>(farben[static_cast<std::size_t>(i)] >> 8);
        palette[i].blue = static_cast<png_byte>(farben[static_cast<std::size_t>(i)]);
    }
    png_set_PLTE(png, info, palette, 256);
    png_write_info(png, info);
    for (int zeile = 0; zeile < bitmapHoehe; ++zeile)
        png_write_row(png, bild.indizes.data() + static_cast<std::size_t>(zeile) * bitmapBreite);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return ausgabe;
}

}  // namespace qzl
