#include "app/probelauf.h"

#include "state/kurve.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "ui/daten_ordner.h"

namespace qzl {

namespace {

constexpr int sweepDauerMs = 500;
constexpr auto hoechstensMs = std::chrono::seconds(60);

void sagen(const std::string& text) {
    std::printf("qzl7 smoke test: %s\n", text.c_str());
    std::fflush(stdout);
}

// Resident and peak memory in MB from the kernel's record; empty elsewhere.
std::string speicher() {
    std::ifstream status("/proc/self/status");
    std::string zeile, rss, spitze;
    while (std::getline(status, zeile)) {
        auto wert = [&] { return std::to_string(std::stol(zeile.substr(6)) / 1024); };
        if (zeile.rfind("VmRSS:", 0) == 0) rss = wert();
        if (zeile.rfind("VmHWM:", 0) == 0) spitze = wert();
    }
    if (rss.empty()) return {};
    return "resident memory " + rss + " MB (peak " + spitze + " MB)";
}

}  // namespace

Probelauf::Probelauf(Anwendung& anwendung, std::chrono::steady_clock::time_point programmStart)
    : anwendung_(anwendung), programmStart_(programmStart) {
    anwendung_.fenster().centralWidget()->installEventFilter(this);
    // A message box means the instrument did not answer: note it and close
    // it, so that the run ends instead of waiting for a user.
    connect(&wache_, &QTimer::timeout, this, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            fehlschlag("message box \"" + box->text().toStdString() + "\"");
            box->defaultButton()->click();
        }
        if (std::chrono::steady_clock::now() - programmStart_ > hoechstensMs) {
            sagen("FAILED: no result within 60 s");
            std::_Exit(1);
        }
    });
    wache_.start(50);
}

bool Probelauf::eventFilter(QObject* objekt, QEvent* event) {
    if (!gemalt_ && event->type() == QEvent::Paint) {
        gemalt_ = true;
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                              programmStart_);
        sagen("first window painted " + std::to_string(ms.count()) + " ms after main()");
        QTimer::singleShot(0, this, [this] { sweepStarten(); });
    }
    return QObject::eventFilter(objekt, event);
}

void Probelauf::klicken(const char* knopf) {
    auto* k = anwendung_.fenster().findChild<QPushButton*>(knopf);
    if (!k || !k->isEnabled()) {
        fehlschlag(std::string(knopf) + " cannot be clicked");
        return;
    }
    k->click();
}

void Probelauf::sweepStarten() {
    klicken("Button5");
    QTimer::singleShot(sweepDauerMs, this, [this] { sweepBeenden(); });
}

void Probelauf::sweepBeenden() {
    const auto start = std::chrono::steady_clock::now();
    klicken("Button6");  // returns once the pass under way is complete
    const auto& st = anwendung_.st();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    if (st.demoModus) fehlschlag("no instrument answered (demonstration mode)");
    // A sweep stores no reading below 1; all of them at 1 means nothing was measured.
    const std::int32_t n = punktAnzahl(st);
    if (std::all_of(st.messwerte.begin() + 1, st.messwerte.begin() + 1 + n, [](const auto& w) { return w <= 1; }))
        fehlschlag("no readings stored");
    const auto kurve = static_cast<std::uint8_t>(st.kurvenfarbe);
    if (std::find(st.anzeigeBitmap.indizes.begin(), st.anzeigeBitmap.indizes.end(), kurve) ==
        st.anzeigeBitmap.indizes.end())
        fehlschlag("no curve on the display");
    sagen("sweep of " + std::to_string(n) + " points stopped after " + std::to_string(sweepDauerMs) +
          " ms (the last pass ended " + std::to_string(ms) + " ms after Stop)");
    if (const auto s = speicher(); !s.empty()) sagen(s);
    if (!anwendung_.fenster().findChild<QPushButton*>("Button5")->isEnabled()) fehlschlag("controls not given back");
    // "Hilfe" and "Über" read these; an installation without them is broken.
    for (const char* datei : {"hilfe/index.html", "info.jpg"})
        if (!QFile::exists(ui::datenDatei(QString::fromLatin1(datei)))) fehlschlag(std::string("no ") + datei);
    sagen(fehler_.empty() ? "passed" : "FAILED: " + fehler_);
    klicken("Button7");  // quit
}

void Probelauf::fehlschlag(const std::string& grund) {
    if (fehler_.empty()) fehler_ = grund;
}

}  // namespace qzl
