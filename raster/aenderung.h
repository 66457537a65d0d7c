#pragma once
// What a layer has changed since the display refresh last looked: the set of
// columns, and the band of rows that holds every change in them.
#include <algorithm>
#include <array>
#include <cstdint>

namespace qzl {

inline constexpr int rasterBreite = 640;
inline constexpr int rasterHoehe = 480;

// One byte per column, so that marking a column inside a drawing loop is a
// single store.
class Spalten {
public:
    static constexpr Spalten alle() {
        Spalten s;
        s.drin_.fill(1);
        return s;
    }
    // Columns von..bis, clipped to 1..640.
    static constexpr Spalten bereich(int von, int bis) {
        Spalten s;
        for (int x = von < 1 ? 1 : von; x <= bis && x <= rasterBreite; ++x) s.dazu(x);
        return s;
    }

    // The caller guarantees 1 <= x <= 640.
    constexpr void dazu(int x) { drin_[static_cast<std::size_t>(x - 1)] = 1; }
    constexpr void dazu(const Spalten& s) {
        for (std::size_t i = 0; i < drin_.size(); ++i) drin_[i] |= s.drin_[i];
    }
    constexpr bool enthaelt(int x) const { return x >= 1 && x <= rasterBreite && drin_[static_cast<std::size_t>(x - 1)]; }
    bool leer() const { return std::none_of(drin_.begin(), drin_.end(), [](std::uint8_t b) { return b != 0; }); }

    // f(von, bis) for every run of adjacent columns, left to right.
    template <class F>
    void laeufe(F&& f) const {
        int x = 1;
        while (x <= rasterBreite) {
            if (!enthaelt(x)) {
                ++x;
                continue;
            }
            int bis = x;
            while (enthaelt(bis + 1)) ++bis;
            f(x, bis);
            x = bis + 1;
        }
    }

    bool operator==(const Spalten&) const = default;

private:
    std::array<std::uint8_t, rasterBreite> drin_{};
};

struct Aenderung {
    Spalten spalten;
    int oben = rasterHoehe + 1;
    int unten = 0;

    static constexpr Aenderung alles() { return {Spalten::alle(), 1, rasterHoehe}; }
    bool leer() const { return spalten.leer(); }
    // Rows von..bis, clipped to 1..480, hold a change.
    constexpr void zeilen(int von, int bis) {
        von = std::max(von, 1);
        bis = std::min(bis, rasterHoehe);
        if (von > bis) return;
        oben = std::min(oben, von);
        unten = std::max(unten, bis);
    }
    constexpr void dazu(const Aenderung& a) {
        spalten.dazu(a.spalten);
        zeilen(a.oben, a.unten);
    }
    bool operator==(const Aenderung&) const = default;
};

}  // namespace qzl
