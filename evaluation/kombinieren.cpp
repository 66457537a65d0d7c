#include "evaluation/kombinieren.h"

#include <algorithm>
#include <cmath>

namespace qzl {

void Kombinierer::dazu(std::span<const std::int32_t> werte) {
    if (anzahl_ > 0 && werte.size() != gesammelt_.size()) {
        anzahl_ = 0;
        fensterInhalt_.clear();
    }
    if (anzahl_ == 0) gesammelt_.assign(werte.size(), 0);
    for (std::size_t i = 0; i < werte.size(); ++i) {
        const std::int64_t v = werte[i];
        auto& s = gesammelt_[i];
        switch (regel_) {
            case Kombination::letzte: s = v; break;
            case Kombination::mittel: s += v; break;
            case Kombination::max: s = anzahl_ == 0 ? v : std::max(s, v); break;
            case Kombination::min: s = anzahl_ == 0 ? v : std::min(s, v); break;
        }
    }
    ++anzahl_;
    if (regel_ != Kombination::mittel || fenster_ == 0) return;
    fensterInhalt_.emplace_back(werte.begin(), werte.end());
    if (fensterInhalt_.size() > fenster_) {
        const auto& alt = fensterInhalt_.front();
        for (std::size_t i = 0; i < alt.size(); ++i) gesammelt_[i] -= alt[i];
        fensterInhalt_.pop_front();
        --anzahl_;
    }
}

std::vector<std::int32_t> Kombinierer::ergebnis() const {
    std::vector<std::int32_t> r(gesammelt_.size());
    if (anzahl_ == 0) return {};
    for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = regel_ == Kombination::mittel
                   ? static_cast<std::int32_t>(std::nearbyint(static_cast<double>(gesammelt_[i]) / static_cast<double>(anzahl_)))
                   : static_cast<std::int32_t>(gesammelt_[i]);
    return r;
}

}  // namespace qzl
