#include "remote/fehler.h"

#include <algorithm>

namespace qzl::fern {

namespace {

constexpr int ueberlauf = -350;
// The target's reasons are the adapter's; a long one is cut, not kept whole.
constexpr std::size_t textGrenze = 200;

}  // namespace

const char* fehlerText(int code) {
    switch (code) {
        case 0: return "No error";
        case -100: return "Command error";
        case -108: return "Parameter not allowed";
        case -109: return "Missing parameter";
        case -113: return "Undefined header";
        case -114: return "Header suffix out of range";
        case -221: return "Settings conflict";
        case -222: return "Data out of range";
        case -224: return "Illegal parameter value";
        case -230: return "Data stale";
        case -241: return "Hardware missing";
        case -250: return "Mass storage error";
        case -256: return "File name not found";
        case -257: return "File name error";
        case ueberlauf: return "Queue overflow";
        default: return "Error";
    }
}

void Fehlerschlange::melden(int code, std::string_view text) {
    if (eintraege_.size() >= platz) {
        if (eintraege_.back().code != ueberlauf) eintraege_.back() = {ueberlauf, fehlerText(ueberlauf)};
        return;
    }
    if (text.empty()) text = fehlerText(code);
    std::string eintrag(text.substr(0, textGrenze));
    // The client reads ASCII on one line.
    std::replace_if(eintrag.begin(), eintrag.end(), [](char c) { return c < 0x20 || c > 0x7E; }, '?');
    eintraege_.push_back({code, std::move(eintrag)});
}

std::string Fehlerschlange::naechster() {
    if (eintraege_.empty()) return "0,\"No error\"";
    const Eintrag e = std::move(eintraege_.front());
    eintraege_.pop_front();
    std::string zeile = std::to_string(e.code) + ",\"";
    for (char c : e.text) zeile += c == '"' ? "\"\"" : std::string(1, c);
    return zeile + '"';
}

}  // namespace qzl::fern
