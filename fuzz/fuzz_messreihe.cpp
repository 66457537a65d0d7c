// Damaged series files: read, then shown with scale, curve and read-outs.
#include <string>

#include "files/messreihe.h"
#include "umgebung.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
    using namespace qzl;
    auto& u = fuzz::Umgebung::frisch();
    const auto reihe = messreiheLesen(std::string(reinterpret_cast<const char*>(d), n));
    if (!reihe) return 0;
    fuzz::pruefen(reihe->art >= 1 && reihe->art <= 3);
    fuzz::pruefen(reihe->n >= 2 && reihe->n <= maxMesspunkte);
    messreiheZeigen(u.p, *reihe);
    fuzz::pruefen(u.fenster.meldungen.empty() && u.fenster.fehlerMeldungen.empty());
    return 0;
}
