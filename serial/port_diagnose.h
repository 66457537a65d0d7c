#pragma once
// What the user reads on standard error when the serial port fails: the
// window only ever says "Datenübertragungsfehler", four seconds later.
#include <string>
#include <vector>

namespace qzl {

// "COM n (pfad)", or the path alone for a device given by path (n = 0).
std::string portBezeichnung(const std::string& pfad, int comNummer);
// COM n (0: a device given by path alone) at pfad could not be opened for
// the reason fehlerNummer (an errno); gruppe owns the device, "" if unknown.
std::string portFehlerText(const std::string& pfad, int comNummer, int fehlerNummer, const std::string& gruppe);
// The device opened but refused the line settings.
std::string einrichtFehlerText(const std::string& pfad, int comNummer, int fehlerNummer);
// A port number from the settings that names no device.
std::string portNummerText(int comNummer);
// Name of the group owning the file at pfad, "" if there is none to tell
// (POSIX only).
std::string geraeteGruppe(const std::string& pfad);

}  // namespace qzl
