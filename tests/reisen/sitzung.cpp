#include "sitzung.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <utility>

#include "handlers/sweep.h"
#include "sim/modell.h"

namespace qzl::reise {

namespace {

bool sichtbar(const QWidget* w) {
    return w && w->isVisible() && w->window()->windowHandle() && w->window()->windowHandle()->isExposed();
}

// The bitmap lies at (5, 30) of the client area below the menu bar.
constexpr QPoint bildOrt(5, 30);

}  // namespace

Sitzung::Arbeitsordner::Arbeitsordner(const std::string& pfad) : vorher(std::filesystem::current_path()) {
    std::filesystem::current_path(pfad);
}

Sitzung::Arbeitsordner::~Arbeitsordner() {
    std::error_code ec;
    std::filesystem::current_path(vorher, ec);
}

Sitzung::Sitzung(sim::SimOptionen optionen) : simulator(std::move(optionen)), arbeitsordner_(ordner_.pfad) {
    einstecken();
    programmBeschaeftigt = [this] {
        if (!laeuft()) return false;
        auto& p = programm();
        return sweepLaeuft(p) && p.st.stopAnforderung.load() && !QApplication::activeModalWidget();
    };
}

Sitzung::~Sitzung() {
    programmBeschaeftigt = nullptr;
    if (::testing::Test::HasFailure()) {
        // What the screen showed when the journey failed, for the one who looks into it.
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const auto name = std::filesystem::temp_directory_path() /
                          (std::string("qzl7-reise-") + test->test_suite_name() + "." + test->name());
        if (QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromStdString(name.string() + ".png")) &&
            bild.save(QString::fromStdString(name.string() + "-diagramm.png")))
            std::cerr << "screen at the end and the diagram last looked at: " << name << "*.png\n";
    }
    anwendung_.reset();
}

void Sitzung::programmStarten(std::vector<std::string> argumente) {
    argumente.push_back("--com2=" + stecker());
    QTimer::singleShot(0, [this, argumente] {
        anwendung_ = std::make_unique<Anwendung>(argumente, uhr_);
        anwendung_->starten();
    });
}

QWidget* Sitzung::widget(const char* name) {
    auto* w = fenster().findChild<QWidget*>(QString::fromUtf8(name));
    voraus(w != nullptr, std::string("a control named ") + name);
    return w;
}

Reise Sitzung::aktivieren(QWidget* w) {
    co_await bis([w] { return sichtbar(w); }, "the window " + w->window()->objectName().toStdString() + " on screen");
    if (w->window()->isActiveWindow()) co_return;
    nutzer.fokus(w);
    co_await bis([w] { return w->window()->isActiveWindow(); }, "the window to become active");
}

Reise Sitzung::klick(const char* name) {
    co_await bis([this] { return laeuft() && sichtbar(&fenster()); }, "the main window");
    QWidget* w = widget(name);
    co_await bis([w] { return sichtbar(w) && w->isEnabled() && !QApplication::activeModalWidget(); },
                 std::string(name) + " usable");
    nutzer.klick(w);
}

Reise Sitzung::taste(std::string kombination) {
    co_await bis([this] { return laeuft() && !QApplication::activeModalWidget(); }, "no modal window");
    co_await aktivieren(&fenster());
    nutzer.taste(kombination);
}

Reise Sitzung::menue(const char* menueName, const char* punktName) {
    co_await bis([this] { return laeuft() && sichtbar(&fenster()) && !QApplication::activeModalWidget(); },
                 "the main window");
    auto* menue = fenster().findChild<QMenu*>(QString::fromUtf8(menueName));
    auto* punkt = menue ? menue->findChild<QAction*>(QString::fromUtf8(punktName)) : nullptr;
    voraus(punkt != nullptr, std::string("menu item ") + menueName + " / " + punktName);
    co_await bis([menue] { return menue->menuAction()->isEnabled(); }, std::string(menueName) + " enabled");
    QMenuBar* leiste = fenster().menuBar();
    nutzer.klick(leiste->mapToGlobal(leiste->actionGeometry(menue->menuAction()).center()));
    co_await bis([menue] { return sichtbar(menue); }, std::string("the menu ") + menueName);
    voraus(punkt->isEnabled(), std::string(punktName) + " enabled");
    nutzer.klick(menue->mapToGlobal(menue->actionGeometry(punkt).center()));
    co_await bis([menue] { return !menue->isVisible(); }, "the menu to close");
}

Reise Sitzung::menueTasten(std::string alt, std::string buchstabe, const char* menueName) {
    auto* menue = fenster().findChild<QMenu*>(QString::fromUtf8(menueName));
    voraus(menue != nullptr, std::string("a menu ") + menueName);
    co_await taste(alt);
    co_await bis([menue] { return sichtbar(menue); }, std::string("the menu ") + menueName);
    nutzer.taste(buchstabe);
    co_await bis([menue] { return !menue->isVisible(); }, "the menu to close");
}

Reise Sitzung::modal(QString name, QWidget** gefunden) {
    co_await bis([&name] {
                     QWidget* w = QApplication::activeModalWidget();
                     if (!sichtbar(w)) return false;
                     if (auto* box = qobject_cast<QMessageBox*>(w)) return box->text() == name;
                     return w->objectName() == name || w->windowTitle() == name;
                 },
                 "a modal window " + name.toStdString());
    *gefunden = QApplication::activeModalWidget();
}

Reise Sitzung::box(std::string text) {
    QWidget* w = nullptr;
    co_await modal(QString::fromStdString(text), &w);
    QPointer<QMessageBox> box = qobject_cast<QMessageBox*>(w);
    voraus(box && box->windowTitle() == "Information", "an information box for " + text);
    nutzer.klick(box->defaultButton());
    co_await bis([&box] { return !box || !box->isVisible(); }, "the box " + text + " to close");
}

Warte Sitzung::ruhe() {
    return bis([] { return QThread::currentThread()->loopLevel() == 0 && !QApplication::activeModalWidget(); },
               "the program to be idle");
}

Reise Sitzung::eingabe(std::string titel, std::string antwort) {
    QWidget* w = nullptr;
    co_await modal(QString::fromStdString(titel), &w);
    auto* feld = w->findChild<QLineEdit*>();
    voraus(feld != nullptr, "an edit field in " + titel);
    EXPECT_EQ(feld->selectedText(), feld->text()) << titel << ": the shown text is not fully selected";
    co_await aktivieren(w);
    nutzer.tippen(antwort);
    nutzer.taste("Enter");
    co_await ruhe();
}

Reise Sitzung::feldAusfuellen(QWidget* dialog, const char* feldName, std::string text) {
    auto* feld = dialog->findChild<QLineEdit*>(QString::fromUtf8(feldName));
    voraus(feld != nullptr, std::string("an edit field ") + feldName);
    co_await aktivieren(dialog);
    nutzer.klick(feld);
    co_await bis([feld] { return feld->hasFocus(); }, "the edit field to take the keyboard");
    nutzer.taste("Ctrl+A");
    nutzer.tippen(text);
    co_await bis([feld, &text] { return feld->text() == QString::fromStdString(text); }, "the typed text");
}

Reise Sitzung::dateiWaehlen(const char* dialogName, std::string name) {
    QWidget* w = nullptr;
    co_await modal(QString::fromUtf8(dialogName), &w);
    co_await feldAusfuellen(w, "fileNameEdit", name);
    nutzer.taste("Enter");
    co_await ruhe();
}

void Sitzung::geraet(const std::string& modell) {
    const auto m = sim::modellLesen(modell);
    voraus(m.has_value(), "a simulator model " + modell);
    simulator.modellSetzen(*m);
}

void Sitzung::einstecken() {
    std::string fehler;
    if (!simulator.starten(&fehler)) throw Abbruch("simulator: " + fehler);
    std::filesystem::remove(stecker());
    std::filesystem::create_symlink(simulator.pfad(), stecker());
}

Reise Sitzung::pass(std::uint64_t punkte) {
    const auto ab = simulator.austauschAnzahl();
    co_await bis([this, ab, punkte] { return simulator.austauschAnzahl() > ab + punkte; }, "a whole pass");
}

Reise Sitzung::aufbau(std::string text, std::string modell, std::uint64_t punkte) {
    QWidget* box = nullptr;
    co_await modal(QString::fromStdString(text), &box);
    geraet(modell);
    co_await pass(punkte);
    co_await this->box(text);
}

Reise Sitzung::sweep(std::uint64_t punkte, bool mitTasten) {
    if (mitTasten)
        co_await taste("Alt+S");
    else
        co_await klick("Button5");
    co_await pass(punkte);
    if (mitTasten)
        co_await taste("Alt+P");
    else
        co_await klick("Button6");
    co_await bis([this] { return fenster().aktiv(Element::Button5); }, "the end of the sweep");
}

std::vector<std::string> Sitzung::zeilen(const std::string& name) const {
    const std::string daten = datei(name);
    std::vector<std::string> z;
    std::size_t anfang = 0;
    for (std::size_t ende; (ende = daten.find("\r\n", anfang)) != std::string::npos; anfang = ende + 2)
        z.push_back(daten.substr(anfang, ende - anfang));
    EXPECT_EQ(anfang, daten.size()) << name << ": text after the last CR LF";
    for (const auto& l : z) EXPECT_EQ(l.find_first_of("\r\n"), std::string::npos) << name << ": " << l;
    return z;
}

std::vector<int> folge(int von, int bis) {
    std::vector<int> f;
    for (int i = von; i <= bis; ++i) f.push_back(i);
    return f;
}

QImage Sitzung::bildschirm() const {
    const QPoint ort = anwendung_->fenster().centralWidget()->mapToGlobal(bildOrt);
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, ort.x(), ort.y(), bitmapBreite, bitmapHoehe)
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

Warte Sitzung::bildAktuell() {
    return bis([this] {
                   // No handler is still at work behind a box that has just
                   // closed (its modal loop not yet left), ...
                   if (QThread::currentThread()->loopLevel() != 0 || QApplication::activeModalWidget())
                       return false;
                   // the bitmap holds what the two layers hold now (the refresh
                   // has run since the last drawing) ...
                   auto& s = st();
                   {
                       std::lock_guard sperre(s.kurvenSperre);
                       for (int x = 1; x <= rasterBreite; ++x)
                           for (int y = 1; y <= rasterHoehe; ++y)
                               if (s.anzeigeBitmap.index(x, y) !=
                                       (std::as_const(s.gitterRaster).at(x, y) & std::as_const(s.kurvenRaster).at(x, y)))
                                   return false;
                   }
                   // ... and the screen shows the bitmap.
                   bild = bildschirm();
                   const auto& rgb = s.anzeigeBitmap.rgb;
                   for (int zeile = 0; zeile < bitmapHoehe; ++zeile)
                       if (std::memcmp(bild.constScanLine(zeile), rgb.data() + zeile * bitmapBreite,
                                       bitmapBreite * sizeof(std::uint32_t)) != 0)
                           return false;
                   return true;
               },
               "the screen to show what the diagram's layers hold");
}

std::vector<int> Sitzung::zeilenMit(int x, std::uint32_t rgb, int von, int bis) const {
    std::vector<int> zeilen;
    for (int y = von; y <= bis; ++y)
        if (farbe(x, y) == rgb) zeilen.push_back(y);
    return zeilen;
}

std::vector<int> Sitzung::spaltenMit(int y, std::uint32_t rgb, int von, int bis) const {
    std::vector<int> spalten;
    for (int x = von; x <= bis; ++x)
        if (farbe(x, y) == rgb) spalten.push_back(x);
    return spalten;
}

}  // namespace qzl::reise
