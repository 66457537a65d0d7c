#pragma once
// The markers and traces in the window: the menus' entries, the label of
// the difference, and the tool window's, keys' and mouse's doings.
#include <memory>
#include <string>

#include "engine/api.h"

#include "handlers/markenbedienung.h"
#include "handlers/programm.h"

namespace qzl {

void Messmarken1Click(Programm& p);
void Referenzuebernehmen1Click(Programm& p);
void Referenzverwerfen1Click(Programm& p);
void Differenzanzeigen1Click(Programm& p);
// "Aus", "Maximum" and "Minimum" of "Halten".
void haltenWaehlen(Programm& p, Halten halten);
void HaltenMittelwert1Click(Programm& p);
void ReferenzLaden1Click(Programm& p);
// Limits: a limit file loaded or forgotten, judging on or off.
void Grenzwerteladen1Click(Programm& p);
void Grenzwerteverwerfen1Click(Programm& p);
void Grenzwertepruefen1Click(Programm& p);
// The verdict label's text for a view: "" while there is nothing to say.
std::string urteilText(const api::Spuransicht& a);

// The label and the check marks as the traces stand now, whoever changed
// them (the tool window, the command socket).
void spurenZeigen(Programm& p);

// The markers' file beside a configuration: "x.cfg" has "x.mrk".
std::string markendateiPfad(const std::string& konfiguration);

std::unique_ptr<MarkenBedienung> markenBedienung(Programm& p);

}  // namespace qzl
