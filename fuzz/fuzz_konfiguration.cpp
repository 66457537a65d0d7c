// Damaged configuration and marker files: read, brought into range and drawn.
#include <string>

#include "engine/geraet.h"
#include "state/einstellwerte.h"
#include "formats/konfiguration.h"
#include "diagram/diagramm.h"
#include "umgebung.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
    using namespace qzl;
    auto& st = fuzz::Umgebung::frisch().st;
    const std::string daten(reinterpret_cast<const char*>(d), n);
    konfigurationLesen(st, daten);
    freqMarkenLesen(st, daten);

    fuzz::pruefen(st.messpunkte >= 1 && st.messpunkte <= maxMesspunkte);
    fuzz::pruefen(st.comport >= 1 && st.comport <= 4);
    fuzz::pruefen(st.messgenauigkeit == 8 || st.messgenauigkeit == 10);
    fuzz::pruefen(leitungsGeschwindigkeit(st.baudrate) == st.baudrate);
    fuzz::pruefen(st.taktfrequenz > 0);

    // Every kind and detector mode, chosen by the length so that the files stay as written.
    st.messart = static_cast<Messart>(n % 6 + 1);
    st.linModus = n / 6 % 2 == 1;
    diagrammZeichnen(st);
    return 0;
}
