#include "app/ausloesen.h"

#include "core/start.h"
#include "core/sweep.h"

namespace qzl {

void ausloesen(Programm& p, Element e) {
    switch (e) {
        case Element::Button5: Button5Click(p); break;
        case Element::Button6: Button6Click(p); break;
        case Element::Button7:
        case Element::Beenden1: Beenden1Click(p); break;
        case Element::Timer1: Timer1Timer(p); break;
        case Element::Timer2: Timer2Timer(p); break;
        // The remaining controls get their handlers with their features.
        default: break;
    }
}

}  // namespace qzl
