#include "app/anwendung.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QMetaObject>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/ausloesen.h"
#include "handlers/messmarken.h"
#include "handlers/voreinstellungen.h"
#include "formats/voreinstellung.h"
#include "engine/api.h"
#include "app/kommandozeile.h"
#include "handlers/start.h"
#include "serial/port_fabrik.h"

namespace qzl {

PortNamen portNamenAus(const std::vector<std::string>& argumente) {
    PortNamen n;
    for (const auto& warnung : n.ausArgumenten(argumente)) std::fprintf(stderr, "%s\n", warnung.c_str());
    return n;
}

namespace {

// The settings folder of --user-config, made when missing (private, as the
// desktop's rules ask); when it cannot be made the settings stay in the
// working folder and standard error says why.
std::string einstellungsOrdnerAnlegen(const std::vector<std::string>& argumente) {
    const std::string ordner = einstellungsOrdner(argumente, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (ordner.empty()) return ordner;
    std::error_code fehler;
    const bool neu = std::filesystem::create_directories(ordner, fehler);
    if (fehler) {
        std::fprintf(stderr, "qzl7: cannot create the settings folder %s: %s; using the working folder\n",
                     ordner.c_str(), fehler.message().c_str());
        return {};
    }
    if (neu) std::filesystem::permissions(ordner, std::filesystem::perms::owner_all, fehler);
    return ordner;
}

}  // namespace

Anwendung::Anwendung(std::vector<std::string> argumente, Uhr& uhr)
    : argumente_(std::move(argumente)),
      st_(std::make_unique<InstrumentState>()),
      portNamen_(portNamenAus(argumente_)),
      port_(seriellenPortAnlegen(portNamen_)),
      fenster_(*st_, [this](Element e) { ausloesen(programm_, e); }),
      programm_(*st_, fenster_, *port_, uhr),
      signalWache_([this](int nummer) { signalBeenden(nummer); }),
      fernziel_(programm_, [] { return QApplication::activeModalWidget() != nullptr; }) {
    programm_.geraet.arbeitsordner = einstellungsOrdnerAnlegen(argumente_);
    programm_.geraet.portName = [this](std::int32_t com) { return portNamen_.name(com); };
    markenBedienung_ = markenBedienung(programm_);
    fenster_.markenBedienungSetzen(markenBedienung_.get());
    // Presets live in the user's settings folder, with or without --user-config.
    voreinstellungsOrdner_ = voreinstellungsOrdner(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    voreinstellungsBedienung_ = voreinstellungsBedienung(programm_, voreinstellungsOrdner_);
    fenster_.voreinstellungsBedienungSetzen(voreinstellungsBedienung_.get());
    const QString dezimal = QLocale::system().decimalPoint();
    if (dezimal.size() == 1 && dezimal[0].unicode() < 128) api::dezimalzeichenSetzen(programm_.geraet, static_cast<char>(dezimal[0].unicode()));
    // Work from the sweep thread (a time-out message) runs on this thread,
    // from the event loop or from whatever modal loop is running.
    programm_.post.weckerSetzen([this] {
        QMetaObject::invokeMethod(&fenster_, [this] { programm_.post.abarbeiten(fenster_); }, Qt::QueuedConnection);
    });
}

void Anwendung::signalBeenden(int nummer) {
    signalEnde_ = 128 + nummer;
    ausloesen(programm_, Element::Beenden1);
    // Also leaves a message box or dialog that is open: the handler under it
    // then runs to its end at once, since every further modal loop returns
    // straight away and the sweep and the port are gone.
    QCoreApplication::exit(signalEnde_);
}

Anwendung::~Anwendung() { programmBeenden(programm_); }

void Anwendung::starten() {
    FormCreate(programm_, argumente_);
    if (const auto name = voreinstellungsName(argumente_))
        voreinstellungAmStart(programm_, voreinstellungsOrdner_, *name);
    fenster_.dialogeAnlegen();
    fenster_.startGeometrie();
    fenster_.show();
    std::string fehler;
    if (const auto adresse = lauschAdresse(argumente_, fehler)) {
        fernsteuerung_ = std::make_unique<Fernsteuerung>(fernziel_);
        fehler = fernsteuerung_->lauschen(*adresse);
        if (fehler.empty())
            programm_.nachStopp = [this] { fernsteuerung_->weiter(); };
        else
            fernsteuerung_.reset();
    }
    // The window serves the user all the same.
    if (!fehler.empty()) std::fprintf(stderr, "%s\n", fehler.c_str());
}

}  // namespace qzl
