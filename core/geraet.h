#pragma once
// The device link: opening the port and the single measurement.
#include <cstdint>

#include "core/programm.h"

namespace qzl {

inline constexpr std::int64_t antwortGrenzeMs = 4000;

// Tuning word of the DDS generator; 0 for a clock of 0 Hz or less.
// The frequency may lie beyond 32 bits (a start frequency plus the IF).
std::uint32_t abstimmwort(std::int32_t taktfrequenz, std::int64_t frequenz);
std::uint8_t befehlsbyte(std::int32_t messgenauigkeit, bool linModus);
// Synthesised reading of demonstration mode for a sweep point.
std::uint16_t demoRohwert(std::int32_t punktIndex);
// 10-bit reading from its two reply bytes.
std::uint16_t zehnBitWert(std::uint8_t b0, std::uint8_t b1);
// Speed actually used: one of the four supported, else 9600.
int leitungsGeschwindigkeit(std::int32_t baudrate);

void PortSetzen(Programm& p);
void einzelmessung(Programm& p, std::int32_t punktIndex, std::int32_t frequenz);
// The two halves of einzelmessung, for a caller with work to do while the
// instrument measures: sending returns the moment the command went out,
// from which the reply's limit counts.
std::int64_t befehlSenden(Programm& p, std::int32_t frequenz);
void antwortNehmen(Programm& p, std::int32_t punktIndex, std::int64_t gesendet);

std::string portTitel(const InstrumentState& st);
std::string demoTitel(const InstrumentState& st);

}  // namespace qzl
