#include "handlers/verbindung.h"

#include "engine/geraet.h"

namespace qzl {

std::string portTitel(const InstrumentState& st) {
    return "Quarzolin (MIRFO) " + st.versionText + "    COM " + std::to_string(st.comport.load());
}

std::string demoTitel(const InstrumentState& st) { return "Quarzolin (MIRFO) " + st.versionText + "  DEMO"; }

void PortSetzen(Programm& p) {
    const std::string grund = portOeffnen(p.geraet);
    p.fensterHier().textSetzen(Element::Caption, portTitel(p.st));
    if (!grund.empty()) p.diagnose(grund);
}

void zeitueberschreitungZeigen(Programm& p) {
    // A script's sweep does not wait for a person: the readings turn
    // synthesised at once and the sweep ends, while the box waits on the
    // window's thread for whoever sits there.
    if (std::this_thread::get_id() != p.guiThread && p.geraet.beiStille == BeiStille::beenden) {
        demoEinschalten(p.geraet);
        p.post.einreichen([&p](Fenster& f) {
            f.textSetzen(Element::Caption, demoTitel(p.st));
            f.meldung("Datenübertragungsfehler");
        });
        return;
    }
    Fenster& f = p.fensterHier();
    f.meldung("Datenübertragungsfehler");
    f.textSetzen(Element::Caption, demoTitel(p.st));
    demoEinschalten(p.geraet);
}

}  // namespace qzl
