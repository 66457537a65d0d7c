#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "core/frequenz_text.h"
#include "core/hz_text.h"

namespace qzl {
namespace {

TEST(FrequenzText, AngenommeneUndAbgelehnteFormen) {
    const std::pair<const char*, std::optional<std::int32_t>> faelle[] = {
        // the integer entry rule, hexadecimal included, means what it meant
        {"10000000", 10000000}, {" -5", -5}, {"$10", 16}, {"0x10", 16}, {"X10", 16},
        // as the program writes them
        {"7.100.000", 7100000}, {"7.100.000 Hz", 7100000}, {"7100000Hz", 7100000}, {" 7.100.000 Hz ", 7100000},
        {"7.100", 7100}, {"1000.000.000 Hz", 1000000000}, {"-2147.483.648 Hz", INT_MIN},
        // with a unit the point or comma is a decimal one; halves to even
        {"7.1M", 7100000}, {"7,1 MHz", 7100000}, {"455k", 455000}, {"455 kHz", 455000}, {"1.5K", 1500},
        {"7.1234565M", 7123456}, {"7.1234575M", 7123458}, {"7.12345651M", 7123457}, {"-0.0025k", -2},
        {"2147.483647M", INT_MAX}, {"-2147483.648k", INT_MIN},
        // refused: the caller's default follows
        {"7.1", std::nullopt}, {"7,100", std::nullopt}, {"7.10.000", std::nullopt}, {"1234.567", std::nullopt},
        {"12345.678.901", std::nullopt}, {"7.100.", std::nullopt}, {".100", std::nullopt}, {"7.1m", std::nullopt},
        {"7.M", std::nullopt}, {".5M", std::nullopt}, {"Hz", std::nullopt}, {"k", std::nullopt},
        {"7.1  M", std::nullopt}, {"7.1 M Hz", std::nullopt}, {"10 000 000", std::nullopt}, {"1e6", std::nullopt},
        {"$10 Hz", std::nullopt}, {"3G", std::nullopt}, {"7.1.5M", std::nullopt},
        {"2.147.483.648 Hz", std::nullopt}, {"2147483.648k", std::nullopt}, {"99999999999999999999k", std::nullopt},
    };
    for (const auto& [text, wert] : faelle) EXPECT_EQ(frequenzLesen(text), wert) << '"' << text << '"';
    // Whatever the display shows can be typed back.
    for (std::int32_t hz : {0, 999, 1000, 999999, 10000000, 123456789, 2147483647, -1234567, INT_MIN})
        EXPECT_EQ(frequenzLesen(hzText(hz)), hz) << hz;
}

}  // namespace
}  // namespace qzl
