#pragma once
// "&Quarz analysieren…": the fixture's resistance asked, the crystal
// measured on the sweep's worker as a sweep is, then its figures in a dialog
// or why there are none.
#include "engine/api.h"
#include "handlers/programm.h"

namespace qzl {

void Quarzanalysieren1Click(Programm& p);
// A measurement's end as the window tells it: the figures, or the reason
// with what to change in a box; nothing for one the user stopped.
void quarzAnalyseZeigen(Programm& p, const api::Quarzanalyse& a);
Quarztafel quarztafel(const Quarzwerte& w, double fassungOhm);
// The panel after a crystal measurement, however it was started: the range
// of its last pass, which stays set, and the read-outs.
void quarzBereichZeigen(Programm& p);

}  // namespace qzl
