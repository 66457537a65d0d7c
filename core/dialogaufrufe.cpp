#include "core/dialogaufrufe.h"

#include "core/geraet.h"
#include "core/messarten.h"
#include "core/start.h"

namespace qzl {

void Bandbreite1Click(Programm& p) {
    p.port.schliessen();
    p.fenster.einstellungenZeigen();
    PortSetzen(p);
    dm_diagramm(p);
    p.st.demoModus = false;
    einzelmessung(p, 1, p.st.startfrequenz);
    // Answering again: readings are converted again in the kind of before.
    if (!p.st.uebertragungsfehler) messartNachAusfall(p);
}

void ber1Click(Programm& p) { p.fenster.infoZeigen(); }

void Hilfe1Click(Programm& p) { p.fenster.hilfeZeigen(); }

}  // namespace qzl
