#include "state/einstellwerte.h"

#include <algorithm>

#include "state/ganzzahl.h"

namespace qzl {

namespace {

std::int32_t lesen(const std::string& text, std::int32_t vorgabe) { return ganzzahlLesen(text).value_or(vorgabe); }

std::size_t zeile(int j) { return static_cast<std::size_t>(j); }

}  // namespace

EinstellWerte einstellWerte(const InstrumentState& st) {
    EinstellWerte w;
    w.contBildaufbau = st.contBildaufbau;
    for (int j = 1; j <= anzahlLinien; ++j) {
        w.linieText[zeile(j - 1)] = std::to_string(st.linieText[zeile(j)].load());
        w.linie[zeile(j - 1)] = std::to_string(st.linie[zeile(j)].load());
    }
    w.taktfrequenz = std::to_string(st.taktfrequenz.load());
    w.eichfrequenz = std::to_string(st.eichfrequenz.load());
    w.endfrequenz = std::to_string(st.endfrequenz.load());
    w.delay = std::to_string(st.delay.load());
    w.messpunkte = std::to_string(st.messpunkte.load());

    // A port above 4 shows "Com4"; one below 1 shows none.
    const std::int32_t port = st.comport;
    w.comport = port < 1 ? -1 : std::min(port, 4) - 1;
    const auto baud = std::find(baudraten.begin(), baudraten.end(), st.baudrate.load());
    w.baudrate = baud == baudraten.end() ? 0 : static_cast<int>(baud - baudraten.begin());
    w.messgenauigkeit = st.messgenauigkeit == 10 ? 1 : 0;
    return w;
}

Einstellungen einstellungenAus(const EinstellWerte& w) {
    Einstellungen e;
    e.contBildaufbau = w.contBildaufbau;
    for (std::size_t j = 0; j < anzahlLinien; ++j) {
        e.linieText[j] = lesen(w.linieText[j], 10);
        e.linie[j] = lesen(w.linie[j], 0);
    }
    e.taktfrequenz = lesen(w.taktfrequenz, 100000000);
    e.eichfrequenz = lesen(w.eichfrequenz, 50000000);
    e.endfrequenz = lesen(w.endfrequenz, 10000000);
    e.delay = lesen(w.delay, 1);
    e.messpunkte = std::clamp(lesen(w.messpunkte, 280), 1, maxMesspunkte);

    if (w.comport >= 0 && w.comport < 4) e.comport = w.comport + 1;
    if (w.baudrate >= 0 && w.baudrate < static_cast<int>(baudraten.size()))
        e.baudrate = baudraten[static_cast<std::size_t>(w.baudrate)];
    if (w.messgenauigkeit == 0 || w.messgenauigkeit == 1) e.messgenauigkeit = w.messgenauigkeit == 0 ? 8 : 10;
    return e;
}

int leitungsGeschwindigkeit(std::int32_t baudrate) {
    switch (baudrate) {
        case 9600: case 19200: case 38400: case 57600: return baudrate;
        default: return 9600;
    }
}

}  // namespace qzl
