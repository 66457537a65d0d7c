#include <gtest/gtest.h>

#include "sim/rahmen.h"

namespace qzl::sim {
namespace {

struct Ergebnis {
    std::vector<Rahmen> rahmen;
    std::vector<std::uint8_t> verworfen;
};

Ergebnis einspeisen(const std::vector<std::uint8_t>& bytes) {
    Rahmenleser leser;
    Ergebnis e;
    for (auto b : bytes) {
        std::optional<std::uint8_t> weg;
        if (auto r = leser.aufnehmen(b, &weg)) e.rahmen.push_back(*r);
        if (weg) e.verworfen.push_back(*weg);
    }
    return e;
}

TEST(Rahmenleser, ZerlegtUndSynchronisiertNeu) {
    struct Fall {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<std::uint32_t> woerter;
        std::vector<std::uint8_t> befehle;
        std::vector<std::uint8_t> verworfen;
    };
    const Fall faelle[] = {
        {"one exchange", {0x9A, 0x99, 0x99, 0x19, 80}, {0x1999999A}, {80}, {}},
        {"all four commands",
         {1, 0, 0, 0, 80, 2, 0, 0, 0, 81, 3, 0, 0, 0, 84, 4, 0, 0, 0, 85},
         {1, 2, 3, 4},
         {80, 81, 84, 85},
         {}},
        {"command values inside the word", {0x50, 0x51, 0x54, 0x55, 84}, {0x55545150}, {84}, {}},
        {"one stray byte", {0x00, 0x9A, 0x99, 0x99, 0x19, 80}, {0x1999999A}, {80}, {0x00}},
        {"three stray bytes", {0x12, 0x34, 0x56, 0x9A, 0x99, 0x99, 0x19, 81}, {0x1999999A}, {81}, {0x12, 0x34, 0x56}},
        {"unknown command byte", {1, 2, 3, 4, 0x52, 5, 6, 7, 8, 80}, {0x08070605}, {80}, {1, 2, 3, 4, 0x52}},
        {"incomplete", {0x9A, 0x99, 0x99, 0x19}, {}, {}, {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        const auto e = einspeisen(f.bytes);
        ASSERT_EQ(e.rahmen.size(), f.woerter.size());
        for (std::size_t i = 0; i < f.woerter.size(); ++i) {
            EXPECT_EQ(e.rahmen[i].abstimmwort, f.woerter[i]);
            EXPECT_EQ(e.rahmen[i].befehl, f.befehle[i]);
        }
        EXPECT_EQ(e.verworfen, f.verworfen);
    }
}

TEST(Antwort, ZehnBitAufteilung) {
    struct Fall {
        std::uint16_t roh;
        bool zehnBit;
        std::vector<std::uint8_t> bytes;
    };
    const Fall faelle[] = {
        {210, false, {0xD2}}, {0, false, {0x00}},         {255, false, {0xFF}},
        {1023, true, {0xFF, 0xC0}}, {513, true, {0x80, 0x40}}, {3, true, {0x00, 0xC0}},
        {840, true, {0xD2, 0x00}},  {0, true, {0x00, 0x00}},     {838, true, {0xD1, 0x80}},
    };
    // The program's reading of these bytes is checked with the device link.
    for (const auto& f : faelle) EXPECT_EQ(antwortBilden(f.roh, f.zehnBit), f.bytes) << f.roh;
}

}  // namespace
}  // namespace qzl::sim
