#include "app/ausloesen.h"

#include "core/dialogaufrufe.h"
#include "core/start.h"
#include "core/sweep.h"
#include "files/druckseite.h"

namespace qzl {

void ausloesen(Programm& p, Element e) {
    switch (e) {
        case Element::Button5: Button5Click(p); break;
        case Element::Button6: Button6Click(p); break;
        case Element::Button7:
        case Element::Beenden1: Beenden1Click(p); break;
        case Element::Timer1: Timer1Timer(p); break;
        case Element::Timer2: Timer2Timer(p); break;
        case Element::Diagrammdrucken1: Diagrammdrucken1Click(p); break;
        case Element::Bandbreite1: Bandbreite1Click(p); break;
        case Element::ber1: ber1Click(p); break;
        case Element::Hilfe1: Hilfe1Click(p); break;
        // The remaining controls get their handlers with their features.
        default: break;
    }
}

}  // namespace qzl
