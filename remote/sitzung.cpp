#include "remote/sitzung.h"

#include "remote/satzbau.h"

namespace qzl::fern {

std::string Sitzung::empfangen(std::string_view daten) {
    std::string antwort;
    while (!daten.empty() && !geschlossen_) {
        const std::size_t lf = daten.find('\n');
        const std::string_view stueck = daten.substr(0, lf == std::string_view::npos ? lf : lf + 1);
        daten.remove_prefix(stueck.size());
        const bool ende = stueck.back() == '\n';
        if (verwerfen_) {
            verwerfen_ = !ende;
            continue;
        }
        // The line so far with its LF; a CR ahead of the LF may still come.
        const std::size_t laenge = eingang_.size() - zeilenAnfang_ + stueck.size();
        eingang_ += stueck;
        // An over-long request line is told by its start.
        if (ende || laenge > zeilenGrenze + 2) {
            std::string_view zeile(eingang_);
            if (webAnfrage(zeile.substr(zeilenAnfang_))) {
                geschlossen_ = true;
                haelt_ = false;
                eingang_.clear();
                return antwort;
            }
        }
        if (laenge > zeilenGrenze + 2 || eingang_.size() > haltGrenze) {
            eingang_.resize(zeilenAnfang_);
            verwerfen_ = !ende;
            fehler_.melden(-100);
            continue;
        }
        if (!ende) continue;
        zeilenAnfang_ = eingang_.size();
        if (!haelt_) abarbeiten(antwort);
    }
    return antwort;
}

std::string Sitzung::weiter() {
    std::string antwort;
    if (haelt_ && zeileFortsetzen(antwort)) {
        haelt_ = false;
        abarbeiten(antwort);
    }
    return antwort;
}

void Sitzung::abarbeiten(std::string& antwort) {
    std::size_t pos = 0;
    while (!haelt_ && pos < zeilenAnfang_) {
        const std::size_t lf = eingang_.find('\n', pos);
        std::string_view zeile(eingang_.data() + pos, lf - pos);
        pos = lf + 1;
        if (zeile.ends_with('\r')) zeile.remove_suffix(1);
        if (zeile.size() > zeilenGrenze) {
            fehler_.melden(-100);
            continue;
        }
        laufend_ = Zeile{};
        laufend_.text = zeile;
        haelt_ = !zeileFortsetzen(antwort);
    }
    // One erase for all lines run, not one per line.
    eingang_.erase(0, pos);
    zeilenAnfang_ -= pos;
}

bool Sitzung::zeileFortsetzen(std::string& antwort) {
    const auto teile = teileTrennen(laufend_.text);
    for (; laufend_.teil < teile.size(); ++laufend_.teil) {
        const Ausfuehrung a = ausfuehren(teile[laufend_.teil], lage_);
        if (a.warten) return false;
        if (!a.abfrage) continue;
        if (laufend_.abfrage) laufend_.felder += ';';
        laufend_.felder += a.antwort;
        laufend_.abfrage = true;
    }
    if (laufend_.abfrage) antwort += laufend_.felder + '\n';
    return true;
}

}  // namespace qzl::fern
