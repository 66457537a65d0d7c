#pragma once
// The markers' file beside a configuration ("qzl7.mrk" beside "qzl7.cfg"):
// the markers, the hold, the difference and the crystal fixture's
// resistance, one plain-text line each.
//
//   qzl7 markers 1
//   marker 1 on 10000000 search max track on range 9000000 11000000 delta 0 band 3
//   active 1
//   hold average 4
//   math diff
//   crystal-fixture 12.5
//
// Markers not named stay off; "#" starts a comment line.
#include <optional>
#include <string>
#include <vector>

#include "state/messmarken.h"

namespace qzl {

std::string markendateiText(const Spureinstellungen& e);
// Its lines after the first, which a preset holds as they are.
std::vector<std::string> markendateiZeilen(const Spureinstellungen& e);
// One such line read into e; false when it is none.
bool markendateiZeile(const std::string& zeile, Spureinstellungen& e);

struct Markendatei {
    std::optional<Spureinstellungen> einstellungen;
    std::string fehler;  // without them: the line and what is wrong with it
};
Markendatei markendateiLesen(const std::string& daten);

}  // namespace qzl
