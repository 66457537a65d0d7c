#include "app/ausloesen.h"

#include "core/konfiguration.h"
#include "core/start.h"
#include "core/sweep.h"
#include "files/messreihe.h"
#include "modes/kalibrierung.h"

namespace qzl {

void ausloesen(Programm& p, Element e) {
    switch (e) {
        case Element::Button5: Button5Click(p); break;
        case Element::Button6: Button6Click(p); break;
        case Element::Button7:
        case Element::Beenden1: Beenden1Click(p); break;
        case Element::Timer1: Timer1Timer(p); break;
        case Element::Timer2: Timer2Timer(p); break;
        case Element::Speichern1: Speichern1Click(p); break;
        case Element::ffnen1: ffnen1Click(p); break;
        case Element::MessreiheSpeichern1: MessreiheSpeichern1Click(p); break;
        case Element::Messreiheladen1: Messreiheladen1Click(p); break;
        case Element::Durchgangsmessung2: Durchgangsmessung2Click(p); break;
        case Element::Reflexionsmessung2: Reflexionsmessung2Click(p); break;
        case Element::Spektralmessung2: Spektralmessung2Click(p); break;
        case Element::Linie11: Linie11Click(p); break;
        case Element::Linie21: Linie21Click(p); break;
        case Element::Linie31: Linie31Click(p); break;
        case Element::Linie41: Linie41Click(p); break;
        case Element::Linie51: Linie51Click(p); break;
        case Element::Linie61: Linie61Click(p); break;
        case Element::Linie71: Linie71Click(p); break;
        case Element::Taktgenerator1: Taktgenerator1Click(p); break;
        // The remaining controls get their handlers with their features.
        default: break;
    }
}

}  // namespace qzl
