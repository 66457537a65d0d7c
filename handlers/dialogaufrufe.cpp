#include "handlers/dialogaufrufe.h"

#include "engine/api.h"
#include "handlers/verbindung.h"
#include "handlers/messartwahl.h"
#include "handlers/start.h"

namespace qzl {

void Bandbreite1Click(Programm& p) {
    p.port.schliessen();
    p.fenster.einstellungenZeigen();
    PortSetzen(p);
    dm_diagramm(p);
    p.st.demoModus = false;
    api::generatorAbstimmen(p.geraet);
    // Answering again: readings are converted again in the kind of before.
    if (!p.st.uebertragungsfehler) messartNachAusfall(p);
}

void ber1Click(Programm& p) { p.fenster.infoZeigen(); }

void Hilfe1Click(Programm& p) { p.fenster.hilfeZeigen(); }

}  // namespace qzl
