#include "sim/rahmen.h"

#include <algorithm>

namespace qzl::sim {

bool istBefehl(std::uint8_t byte) {
    return byte == befehl8BitLog || byte == befehl8BitLin || byte == befehl10BitLog ||
           byte == befehl10BitLin;
}

std::optional<Rahmen> Rahmenleser::aufnehmen(std::uint8_t byte, std::optional<std::uint8_t>* verworfen) {
    if (verworfen) verworfen->reset();
    puffer_[anzahl_++] = byte;
    if (anzahl_ < puffer_.size()) return std::nullopt;
    if (!istBefehl(puffer_[4])) {
        if (verworfen) *verworfen = puffer_[0];
        std::copy(puffer_.begin() + 1, puffer_.end(), puffer_.begin());
        --anzahl_;
        return std::nullopt;
    }
    anzahl_ = 0;
    const std::uint32_t wort = std::uint32_t{puffer_[0]} | std::uint32_t{puffer_[1]} << 8 |
                               std::uint32_t{puffer_[2]} << 16 | std::uint32_t{puffer_[3]} << 24;
    return Rahmen{wort, puffer_[4]};
}

std::vector<std::uint8_t> antwortBilden(std::uint16_t roh, bool zehnBit) {
    if (!zehnBit) return {static_cast<std::uint8_t>(std::min<std::uint16_t>(roh, 255))};
    roh = std::min<std::uint16_t>(roh, 1023);
    return {static_cast<std::uint8_t>(roh >> 2), static_cast<std::uint8_t>((roh & 3) << 6)};
}

double frequenzAusWort(std::uint32_t abstimmwort, double taktHz) {
    return static_cast<double>(abstimmwort) * taktHz / 4294967296.0;
}

}  // namespace qzl::sim
