#include "cli/cli.h"

#include "ausgabe/formate.h"
#include "cli/hilfe.h"
#include "serial/port_liste.h"

namespace qzl::cli {

std::string hilfeText(const char* text) {
    std::string t = text;
    if (const auto stelle = t.find("@FORMATE@"); stelle != std::string::npos) t.replace(stelle, 9, formatHilfe(24));
    return t;
}

namespace {

int portsAuflisten(const std::vector<std::string>& argumente, Konsole& k) {
    PortNamen namen;
    for (const auto& a : argumente) {
        if (a == "--help" || a == "-h") {
            k.ausgeben(portHilfe);
            return erledigt;
        }
    }
    const auto warnungen = namen.ausArgumenten(argumente);
    for (const auto& a : argumente) {
        if (a.compare(0, 1, "-") != 0 || a == "-")
            return bedienfehlerMelden(k, "list-ports", "unexpected argument '" + a + "': list-ports takes options only");
        if (a.compare(0, 5, "--com") != 0) return bedienfehlerMelden(k, "list-ports", "unknown option '" + a + "'");
    }
    if (!warnungen.empty()) return bedienfehlerMelden(k, "list-ports", warnungen.front().substr(6));
    return k.ausgeben(portListe(serielleGeraeteSuchen(), namen)) ? erledigt : schreibfehler;
}

}  // namespace

int bedienfehlerMelden(Konsole& k, const std::string& befehl, const std::string& text) {
    k.melden("qzl7-cli " + befehl + ": " + text);
    k.melden("(qzl7-cli " + befehl + " --help lists the options)");
    return bedienfehler;
}

void nebenbeiSagen(Konsole& k, bool datenAufStandardausgabe, const std::string& text) {
    if (!datenAufStandardausgabe) {
        k.ausgeben(text);
        return;
    }
    std::string zeilen = text;
    if (!zeilen.empty() && zeilen.back() == '\n') zeilen.pop_back();
    k.melden(zeilen);
}

int cliAusfuehren(const std::vector<std::string>& argumente, Konsole& k, Uhr& uhr) {
    if (argumente.empty()) {
        k.melden(allgemeineHilfe);
        return bedienfehler;
    }
    const std::string& befehl = argumente.front();
    const std::vector<std::string> rest(argumente.begin() + 1, argumente.end());
    if (befehl == "sweep") return sweepBefehl(rest, k, uhr);
    if (befehl == "convert") return convertBefehl(rest, k);
    if (befehl == "crystal") return quarzBefehl(rest, k, uhr);
    if (befehl == "list-ports") return portsAuflisten(rest, k);
    if (befehl == "--help" || befehl == "-h" || befehl == "help") {
        k.ausgeben(allgemeineHilfe);
        return erledigt;
    }
    if (befehl == "--version") {
        k.ausgeben("qzl7-cli " QZL7_VERSION "\n");
        return erledigt;
    }
    k.melden("qzl7-cli: unknown command '" + befehl + "'\n");
    k.melden(allgemeineHilfe);
    return bedienfehler;
}

}  // namespace qzl::cli
