#pragma once
// Passes combined point by point: the last, the rounded mean (halves to
// even), the highest or the lowest reading. A script's --combine and the
// window's hold share this arithmetic.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "state/kombination.h"

namespace qzl {

class Kombinierer {
public:
    // fenster: the mean runs over the last fenster passes; 0: over all.
    explicit Kombinierer(Kombination regel, std::size_t fenster = 0) : regel_(regel), fenster_(fenster) {}

    // One more pass. A pass of another length starts afresh.
    void dazu(std::span<const std::int32_t> werte);
    // The combined readings; empty before the first pass.
    std::vector<std::int32_t> ergebnis() const;
    std::size_t anzahl() const { return anzahl_; }

private:
    Kombination regel_;
    std::size_t fenster_;
    std::size_t anzahl_ = 0;
    std::vector<std::int64_t> gesammelt_;  // the sum, or the highest or lowest so far
    std::deque<std::vector<std::int32_t>> fensterInhalt_;  // the passes in the mean's window
};

}  // namespace qzl
