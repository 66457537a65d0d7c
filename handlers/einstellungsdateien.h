#pragma once
// The configuration and marker files as the window uses them: at start-up,
// and from "&Speichern" and "&Öffnen".
#include <string>

#include "engine/api.h"
#include "handlers/programm.h"

namespace qzl {

// Start-up: markers from "frequenz.cfg", then "qzl7.cfg" read, or created
// when it is missing or empty.
void markenDateiLesen(Programm& p);
void konfigDateiStart(Programm& p);
// Then the markers, hold and difference of "qzl7.mrk" beside it, when there.
void messmarkenStart(Programm& p);
// Those of the markers' file beside the configuration at konfiguration.
void messmarkenLesen(Programm& p, const std::string& konfiguration);

// "&Speichern" (F2) and "&Öffnen" (F3); loading shows the loaded start,
// step, cursor and IF choices in the panel.
void Speichern1Click(Programm& p);
void ffnen1Click(Programm& p);

// A file the engine refused, as the window says it: the run time's error
// box for a failure, or keineDatei for a file of another kind.
void dateiAblehnungZeigen(Programm& p, const api::Ergebnis& e, const std::string& keineDatei);

}  // namespace qzl
