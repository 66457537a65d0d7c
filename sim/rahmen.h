#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace qzl::sim {

// Measure commands: 8- or 10-bit converter, bit 0 selects the linear detector.
inline constexpr std::uint8_t befehl8BitLog = 80;   // 'P'
inline constexpr std::uint8_t befehl8BitLin = 81;   // 'Q'
inline constexpr std::uint8_t befehl10BitLog = 84;  // 'T'
inline constexpr std::uint8_t befehl10BitLin = 85;  // 'U'

bool istBefehl(std::uint8_t byte);
inline bool istLinear(std::uint8_t befehl) { return (befehl & 1) != 0; }
inline bool istZehnBit(std::uint8_t befehl) { return (befehl & 4) != 0; }

struct Rahmen {
    std::uint32_t abstimmwort;
    std::uint8_t befehl;
};

// Cuts the byte stream into exchanges: four tuning-word bytes (least
// significant first) and a command. There is no frame marker, so when the
// fifth byte is no command the oldest byte goes and the search goes on; one
// stray byte then costs one exchange, not all the following ones.
class Rahmenleser {
public:
    // Returns a complete exchange, or sets *verworfen to a dropped byte.
    std::optional<Rahmen> aufnehmen(std::uint8_t byte, std::optional<std::uint8_t>* verworfen);

private:
    std::array<std::uint8_t, 5> puffer_{};
    std::size_t anzahl_ = 0;
};

// Reply bytes for a converter reading: one byte, or for 10 bits the upper
// eight bits followed by the lower two in the top of the second byte.
std::vector<std::uint8_t> antwortBilden(std::uint16_t roh, bool zehnBit);

double frequenzAusWort(std::uint32_t abstimmwort, double taktHz);

}  // namespace qzl::sim
