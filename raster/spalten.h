#pragma once
// A set of raster columns, one bit per column: which columns a layer has
// written since the display refresh last looked.
#include <array>
#include <bit>
#include <cstdint>

namespace qzl {

inline constexpr int rasterBreite = 640;

class Spalten {
public:
    static constexpr Spalten alle() {
        Spalten s;
        for (auto& w : s.bits_) w = ~std::uint64_t{0};
        return s;
    }
    // Columns von..bis, clipped to 1..640.
    static constexpr Spalten bereich(int von, int bis) {
        Spalten s;
        for (int x = von < 1 ? 1 : von; x <= bis && x <= rasterBreite; ++x) s.dazu(x);
        return s;
    }

    // The caller guarantees 1 <= x <= 640.
    constexpr void dazu(int x) { bits_[wort(x)] |= bit(x); }
    constexpr void dazu(const Spalten& s) {
        for (std::size_t i = 0; i < bits_.size(); ++i) bits_[i] |= s.bits_[i];
    }
    constexpr bool enthaelt(int x) const { return x >= 1 && x <= rasterBreite && (bits_[wort(x)] & bit(x)) != 0; }
    constexpr bool leer() const {
        for (auto w : bits_)
            if (w != 0) return false;
        return true;
    }

    // f(von, bis) for every run of adjacent columns, left to right.
    template <class F>
    void laeufe(F&& f) const {
        int x = naechste(1, true);
        while (x <= rasterBreite) {
            const int ende = naechste(x, false);
            f(x, ende - 1);
            x = naechste(ende, true);
        }
    }

    bool operator==(const Spalten&) const = default;

private:
    static constexpr std::size_t wort(int x) { return static_cast<std::size_t>(x - 1) / 64; }
    static constexpr std::uint64_t bit(int x) { return std::uint64_t{1} << ((x - 1) % 64); }

    // The first column from x on that is (gesetzt) or is not (!gesetzt) in
    // the set; 641 if there is none.
    int naechste(int x, bool gesetzt) const {
        while (x <= rasterBreite) {
            const std::uint64_t w = gesetzt ? bits_[wort(x)] : ~bits_[wort(x)];
            const std::uint64_t rest = w >> ((x - 1) % 64);
            if (rest != 0) {
                x += std::countr_zero(rest);
                return x <= rasterBreite ? x : rasterBreite + 1;
            }
            x += 64 - (x - 1) % 64;
        }
        return rasterBreite + 1;
    }

    // 640 columns in ten words; bit (x - 1) % 64 of word (x - 1) / 64 is column x.
    std::array<std::uint64_t, (rasterBreite + 63) / 64> bits_{};
};

}  // namespace qzl
