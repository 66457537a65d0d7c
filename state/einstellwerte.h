#pragma once
// The settings dialog's rules without its widgets: what the controls show for
// the state, and what "&OK" stores from them.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "state/instrument_state.h"

namespace qzl {

inline constexpr std::array<std::int32_t, 4> baudraten = {9600, 19200, 38400, 57600};
// Speed actually used: one of the four supported, else 9600.
int leitungsGeschwindigkeit(std::int32_t baudrate);

// What the dialog's controls hold. A radio group's selection is its item
// index, -1 for none.
struct EinstellWerte {
    bool contBildaufbau = false;                      // CheckBox1
    std::array<std::string, anzahlLinien> linieText;  // Edit1 ... Edit7
    std::array<std::string, anzahlLinien> linie;      // Edit13 ... Edit19
    std::string taktfrequenz;                         // Edit8
    std::string eichfrequenz;                         // Edit9
    std::string endfrequenz;                          // Edit10
    std::string delay;                                // Edit11
    std::string messpunkte;                           // Edit12
    int comport = -1;                                 // RadioGroup1: "Com 1" ... "Com4"
    int baudrate = -1;                                // RadioGroup2: 9600 ... 57600
    int messgenauigkeit = -1;                         // RadioGroup3: 8 or 10 bit
};

// Filling the controls on every activation of the dialog.
EinstellWerte einstellWerte(const InstrumentState& st);

// The settings a set of the dialog stands for; a radio group without a
// selection stands for none, which leaves its field alone.
struct Einstellungen {
    bool contBildaufbau = false;
    std::array<std::int32_t, anzahlLinien> linieText{}, linie{};
    std::int32_t taktfrequenz = 0, eichfrequenz = 0, endfrequenz = 0, delay = 0, messpunkte = 0;
    std::optional<std::int32_t> comport, baudrate, messgenauigkeit;
};

// What "&OK" stores: each edit parsed with its own default, and the number
// of points kept within 1 ... 300, as the dialog always did.
Einstellungen einstellungenAus(const EinstellWerte& w);

}  // namespace qzl
