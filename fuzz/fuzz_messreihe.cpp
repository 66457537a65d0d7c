// Damaged series files: read, then shown with scale, curve and read-outs;
// what was read, saved again, reads back the same.
#include <string>

#include "diagram/kurve.h"
#include "formats/messreihe.h"
#include "handlers/messreihen.h"
#include "umgebung.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
    using namespace qzl;
    auto& u = fuzz::Umgebung::frisch();
    const auto reihe = messreiheLesen(std::string(reinterpret_cast<const char*>(d), n));
    if (!reihe) return 0;
    fuzz::pruefen(reihe->art >= 1 && reihe->art <= 3);
    fuzz::pruefen(reihe->n >= 2 && reihe->n <= maxMesspunkte);
    reiheZeichnen(u.st, *reihe);
    messreiheZeigen(u.p, *reihe);
    fuzz::pruefen(u.fenster.meldungen.empty() && u.fenster.fehlerMeldungen.empty());

    auto& st = u.st;
    messreiheEinstellen(st, *reihe);
    const auto wieder = messreiheLesen(messreiheText(st));
    fuzz::pruefen(wieder && wieder->art == reihe->art && wieder->ueberschrift == reihe->ueberschrift &&
                  wieder->lin == reihe->lin && wieder->linien.hoehe == reihe->linien.hoehe &&
                  wieder->linien.zehntel == reihe->linien.zehntel && wieder->f1 == reihe->f1 &&
                  wieder->s == reihe->s && wieder->n == reihe->n && wieder->werte == reihe->werte);
    return 0;
}
