#pragma once
// The window as the engine sees it, for a program without one: nothing to
// show, nothing to ask. The caller tells the user what went wrong from the
// state itself (a time-out leaves uebertragungsfehler set).
#include <optional>
#include <string>

#include "core/fenster.h"

namespace qzl::cli {

class KopflosFenster : public Fenster {
public:
    void textSetzen(Element, const std::string&) override {}
    std::string text(Element) const override { return {}; }
    void aktivieren(Element, bool) override {}
    bool aktiv(Element) const override { return false; }
    void abhaken(Element, bool) override {}
    bool abgehakt(Element) const override { return false; }
    void timerSchalten(Element, bool) override {}
    bool timerLaeuft(Element) const override { return false; }
    void meldung(const std::string&) override {}
    void fehler(const std::string&) override {}
    std::string eingabe(const std::string&, const std::string&, const std::string& vorgabe) override {
        return vorgabe;
    }
    std::optional<std::string> dateiDialog(Element) override { return std::nullopt; }
    void bildZeigen() override {}
    void schliessen() override {}
    std::optional<int> druckDialog() override { return std::nullopt; }
    std::optional<std::string> seiteDrucken(const DruckSeite&, const AnzeigeBitmap&) override {
        return std::string("no printer without a window");
    }
    void einstellungenZeigen() override {}
    void infoZeigen() override {}
    void hilfeZeigen() override {}
};

}  // namespace qzl::cli
