#include "state/zeichensatz.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace qzl {

namespace {

// Bytes 0x80..0x9F; 0xA0..0xFF are the same code points as in Latin-1.
constexpr std::array<char32_t, 32> obereSteuerung{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void utf8Anhaengen(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The code point at pos, advancing pos; nothing for a malformed, overlong or
// surrogate sequence.
std::optional<char32_t> utf8Naechstes(std::string_view t, std::size_t& pos) {
    const auto b0 = static_cast<std::uint8_t>(t[pos]);
    std::size_t laenge = 0;
    char32_t c = 0, kleinster = 0;
    if (b0 < 0x80) {
        ++pos;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        laenge = 2, c = b0 & 0x1F, kleinster = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        laenge = 3, c = b0 & 0x0F, kleinster = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        laenge = 4, c = b0 & 0x07, kleinster = 0x10000;
    } else {
        return std::nullopt;
    }
    if (t.size() - pos < laenge) return std::nullopt;
    for (std::size_t i = 1; i < laenge; ++i) {
        const auto b = static_cast<std::uint8_t>(t[pos + i]);
        if ((b & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < kleinster || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    pos += laenge;
    return c;
}

}  // namespace

bool gueltigesUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();)
        if (!utf8Naechstes(text, pos)) return false;
    return true;
}

std::string cp1252NachUtf8(std::string_view bytes) {
    std::string out;
    for (const char ch : bytes) {
        const auto b = static_cast<std::uint8_t>(ch);
        utf8Anhaengen(out, b >= 0x80 && b < 0xA0 ? obereSteuerung[b - 0x80] : char32_t{b});
    }
    return out;
}

std::optional<std::string> utf8NachCp1252(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto c = utf8Naechstes(text, pos);
        if (!c) return std::nullopt;
        if (*c < 0x80 || (*c >= 0xA0 && *c <= 0xFF)) {
            out.push_back(static_cast<char>(*c));
            continue;
        }
        const auto platz = std::find(obereSteuerung.begin(), obereSteuerung.end(), *c);
        if (platz == obereSteuerung.end()) return std::nullopt;
        out.push_back(static_cast<char>(0x80 + (platz - obereSteuerung.begin())));
    }
    return out;
}

std::string textAusDatei(std::string_view bytes) {
    return gueltigesUtf8(bytes) ? std::string(bytes) : cp1252NachUtf8(bytes);
}

std::string textFuerDatei(std::string_view text) {
    // A Windows-1252 form that happens to be valid UTF-8 would be read back
    // as something else: such a rare text stays UTF-8.
    if (auto cp = utf8NachCp1252(text); cp && (*cp == text || !gueltigesUtf8(*cp))) return *cp;
    return std::string(text);
}

}  // namespace qzl
