// The integer entry rule against a second, independently written reading of
// the same rule, and every 32-bit value read back from its decimal text.
#include <charconv>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "state/ganzzahl.h"
#include "umgebung.h"

namespace {

std::optional<std::int32_t> nachRegel(std::string_view t) {
    t.remove_prefix(std::min(t.find_first_not_of(" \t"), t.size()));
    int basis = 10;
    bool negativ = false;
    if (t.starts_with("0x") || t.starts_with("0X")) {
        basis = 16;
        t.remove_prefix(2);
    } else if (t.starts_with('$') || t.starts_with('x') || t.starts_with('X')) {
        basis = 16;
        t.remove_prefix(1);
    } else if (t.starts_with('+') || t.starts_with('-')) {
        negativ = t[0] == '-';
        t.remove_prefix(1);
    }
    // from_chars would take a sign of its own, and the rule allows none here.
    if (t.empty() || t[0] == '+' || t[0] == '-') return std::nullopt;
    unsigned long long v = 0;
    const auto [ende, fehler] = std::from_chars(t.data(), t.data() + t.size(), v, basis);
    if (fehler != std::errc() || ende != t.data() + t.size()) return std::nullopt;
    if (basis == 16) return v > 0xFFFFFFFFull ? std::nullopt : std::optional(static_cast<std::int32_t>(v));
    if (v > (negativ ? 2147483648ull : 2147483647ull)) return std::nullopt;
    return static_cast<std::int32_t>(negativ ? -static_cast<long long>(v) : static_cast<long long>(v));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
    using qzl::fuzz::pruefen;
    const std::string_view text(reinterpret_cast<const char*>(d), n);
    pruefen(qzl::ganzzahlLesen(text) == nachRegel(text));
    if (n >= 4) {
        std::int32_t v;
        std::memcpy(&v, d, 4);
        pruefen(qzl::ganzzahlLesen(std::to_string(v)) == v);
    }
    return 0;
}
