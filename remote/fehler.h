#pragma once
// A session's error queue, read by SYSTem:ERRor? oldest first.
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace qzl::fern {

// The plain text of an error code, "Error" for one without.
const char* fehlerText(int code);

class Fehlerschlange {
public:
    static constexpr std::size_t platz = 16;

    // Queues code with text ("" for the code's plain text). A full queue
    // keeps its oldest entries: the newest becomes -350, the rest is lost.
    void melden(int code, std::string_view text = {});
    // The oldest entry as CODE,"TEXT", taken off; 0,"No error" when empty.
    std::string naechster();
    void leeren() { eintraege_.clear(); }
    std::size_t anzahl() const { return eintraege_.size(); }

private:
    struct Eintrag {
        int code;
        std::string text;
    };
    std::deque<Eintrag> eintraege_;
};

}  // namespace qzl::fern
