#pragma once
// Decodes the info dialog's JPEG picture with libjpeg, from bytes.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qzl::ui {

struct RgbBild {
    int breite = 0;
    int hoehe = 0;
    std::vector<std::uint8_t> pixel;  // rows top down, three bytes R, G, B per pixel
};

// Nothing for data that libjpeg cannot decode completely.
std::optional<RgbBild> jpegLesen(std::span<const std::uint8_t> daten);

}  // namespace qzl::ui
