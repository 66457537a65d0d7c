#include "handlers/programm.h"

#include "engine/api.h"
#include "handlers/verbindung.h"

namespace qzl {

Programm::Programm(InstrumentState& s, Fenster& f, SeriellerPort& p, Uhr& u)
    : geraet(s, p, u), fenster(f), st(s), port(p), uhr(u), beenden(geraet.beenden), postFenster(post),
      guiThread(std::this_thread::get_id()) {
    geraet.stilleMelden = [this] { zeitueberschreitungZeigen(*this); };
    geraet.imHauptfaden = [this](const std::function<void()>& arbeit) {
        if (std::this_thread::get_id() == guiThread)
            arbeit();
        else
            post.ausfuehren([&arbeit](Fenster&) { arbeit(); });
    };
}

Programm::~Programm() {
    // The sweep may be waiting for the window: the post lets it go first.
    if (geraet.sweepThread.joinable()) {
        beenden = true;
        api::stoppAnfordern(geraet);
        post.abbrechen();
        geraet.sweepThread.join();
    }
}

}  // namespace qzl
