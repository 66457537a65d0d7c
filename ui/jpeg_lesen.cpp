#include "ui/jpeg_lesen.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace qzl::ui {

namespace {

// libjpeg ends the process on a fatal error unless the handler jumps out.
struct Fehlerziel {
    jpeg_error_mgr basis;
    std::jmp_buf sprung;
};

[[noreturn]] void abbrechen(j_common_ptr info) {
    std::longjmp(reinterpret_cast<Fehlerziel*>(info->err)->sprung, 1);
}

void schweigen(j_common_ptr) {}

// Kept apart from C++ objects with destructors: longjmp skips them.
bool dekodieren(jpeg_decompress_struct& info, Fehlerziel& fehler, const std::uint8_t* daten, unsigned long laenge,
                RgbBild& bild) {
    if (setjmp(fehler.sprung)) return false;
    jpeg_mem_src(&info, daten, laenge);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    info.out_color_space = JCS_RGB;  // grey pictures too; libjpeg refuses what it cannot convert
    jpeg_start_decompress(&info);
    bild.breite = static_cast<int>(info.output_width);
    bild.hoehe = static_cast<int>(info.output_height);
    const std::size_t zeile = std::size_t{info.output_width} * 3;
    bild.pixel.resize(zeile * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW ziel = bild.pixel.data() + zeile * info.output_scanline;
        if (jpeg_read_scanlines(&info, &ziel, 1) != 1) return false;
    }
    jpeg_finish_decompress(&info);
    // A picture cut short still decodes, padded with grey; that is no picture.
    return fehler.basis.num_warnings == 0;
}

}  // namespace

std::optional<RgbBild> jpegLesen(std::span<const std::uint8_t> daten) {
    if (daten.empty()) return std::nullopt;
    jpeg_decompress_struct info{};
    Fehlerziel fehler{};
    info.err = jpeg_std_error(&fehler.basis);
    fehler.basis.error_exit = abbrechen;
    fehler.basis.output_message = schweigen;
    jpeg_create_decompress(&info);
    RgbBild bild;
    const bool gut = dekodieren(info, fehler, daten.data(), static_cast<unsigned long>(daten.size()), bild);
    jpeg_destroy_decompress(&info);
    if (!gut) return std::nullopt;
    return bild;
}

}  // namespace qzl::ui
