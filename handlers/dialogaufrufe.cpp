#include "handlers/dialogaufrufe.h"

#include "engine/api.h"
#include "handlers/verbindung.h"
#include "handlers/messartwahl.h"
#include "handlers/start.h"

namespace qzl {

void Bandbreite1Click(Programm& p) {
    p.port.schliessen();
    if (const auto werte = p.fenster.einstellungenZeigen())
        api::einstellungenSetzen(p.geraet, einstellungenAus(*werte));
    PortSetzen(p);
    dm_diagramm(p);
    api::demoModusSetzen(p.geraet, false);
    api::generatorAbstimmen(p.geraet);
    // Answering again: readings are converted again in the kind of before.
    if (!p.st.uebertragungsfehler) messartNachAusfall(p);
}

void ber1Click(Programm& p) { p.fenster.infoZeigen(); }

void Hilfe1Click(Programm& p) { p.fenster.hilfeZeigen(); }

}  // namespace qzl
