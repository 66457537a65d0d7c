#pragma once
// One run of the program as a user meets it: the simulator on a
// pseudo-terminal as COM 2, a fresh working folder, the real application
// with its real window on the X display, and the user at the keyboard and
// mouse. The steps that every journey takes are here; each waits for what a
// user would see before acting, never for a fixed time.
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/zustand.h"
#include "app/anwendung.h"
#include "platform/uhr.h"
#include "nutzer.h"
#include "reise.h"
#include "sim/simulator.h"
#include "temp_ordner.h"

class QMessageBox;
class QWidget;

namespace qzl::reise {

// Colours of the palette indices on a true-colour screen.
inline constexpr std::uint32_t weiss = 0xFFFFFFFFu;      // 255, background
inline constexpr std::uint32_t schwarz = 0xFF000000u;    // 0, grid and text
inline constexpr std::uint32_t kurvenRgb = 0xFFC080C0u;  // 230: red 6, green 4, blue 3 eighths
inline constexpr std::uint32_t markenRgb = 0xFFC04080u;  // 150
inline constexpr std::uint32_t cursorRgb = 0xFF006000u;  // 24

// von, von + 1, ... bis.
std::vector<int> folge(int von, int bis);

class Sitzung {
public:
    explicit Sitzung(sim::SimOptionen optionen);
    ~Sitzung();

    // The program as started from a shell in the working folder with these
    // arguments (COM 2 is mapped to the simulator); it starts from the event
    // loop, so that a journey can answer what start-up shows.
    void programmStarten(std::vector<std::string> argumente);
    HauptFenster& fenster() { return anwendung_->fenster(); }
    // A scene is set up behind the engine's back.
    InstrumentState& st() { return zustand(anwendung_->programm().geraet); }
    Programm& programm() { return anwendung_->programm(); }
    bool laeuft() const { return anwendung_ != nullptr; }
    std::string text(Element e) { return fenster().text(e); }
    QWidget* widget(const char* name);
    std::string datei(const std::string& name) const { return ordner_.lesen(name); }
    std::string pfad(const std::string& name) const { return ordner_.datei(name); }
    void dateiAnlegen(const std::string& name, const std::string& daten) { ordner_.schreiben(name, daten); }

    // The window has the keyboard (a window manager's work: see Nutzer::fokus).
    Reise aktivieren(QWidget* fenster);
    // Mouse click on a control of the main window once it is usable.
    Reise klick(const char* name);
    // A key on the main window, e.g. "F2" or "Alt+P".
    Reise taste(std::string kombination);
    // Mouse: the menu in the menu bar, then its item.
    Reise menue(const char* menueName, const char* punktName);
    // A menu opened with its Alt accelerator, then an item chosen by its letter.
    Reise menueTasten(std::string alt, std::string buchstabe, const char* menueName);
    // The information box with this text is up; "OK" is clicked.
    Reise box(std::string text);
    // No handler is running any more: the timer that resumes the journey
    // fires from the outermost loop, not from inside a modal one.
    Warte ruhe();
    // The input prompt with this caption is up; the text replaces the
    // selected one and Enter confirms it; then the program is idle.
    Reise eingabe(std::string titel, std::string antwort);
    // Clicks into the edit field of the dialog, selects all and types the text.
    Reise feldAusfuellen(QWidget* dialog, const char* feldName, std::string text);
    // The file dialog is up; the name is typed and Enter pressed; then the
    // program is idle.
    Reise dateiWaehlen(const char* dialogName, std::string name);
    // A modal window with this object name (or, for a box, this text) is up
    // and exposed; its widget.
    Reise modal(QString name, QWidget** gefunden);

    // The user puts another device under test in place (a simulator model).
    void geraet(const std::string& modell);
    // Unplugged, plugged in again: a new pseudo-terminal behind the program's device path.
    void ausstecken() { simulator.stoppen(); }
    void einstecken();
    // A whole pass of this many points has been measured from now on.
    Reise pass(std::uint64_t punkte);
    // A calibration set-up: the box comes up, the user changes the device,
    // waits for a pass that saw only the new one and closes the box.
    Reise aufbau(std::string text, std::string modell, std::uint64_t punkte);
    // Start (button or Alt+S), a whole pass, Stop (button or Alt+P), and the
    // controls are back.
    Reise sweep(std::uint64_t punkte, bool mitTasten);

    // The diagram as the screen shows it, once the program is idle, the
    // display bitmap holds what the two layers hold and the screen shows that
    // bitmap. Pixel (x, y) of the raster is pixel (x, y) of bild.
    Warte bildAktuell();
    QImage bild;
    std::uint32_t farbe(int x, int y) const { return bild.pixel(x, y); }

    // The lines of a file in the working folder, each ended by CR LF;
    // anything else fails the test.
    std::vector<std::string> zeilen(const std::string& name) const;

    // Rows von..bis of column x, or columns von..bis of row y, that hold the colour.
    std::vector<int> zeilenMit(int x, std::uint32_t rgb, int von, int bis) const;
    std::vector<int> spaltenMit(int y, std::uint32_t rgb, int von, int bis) const;

    sim::Simulator simulator;
    Nutzer nutzer;

private:
    QImage bildschirm() const;

    test::TempOrdner ordner_;
    test::TempOrdner steckerOrdner_;
    std::string stecker() const { return steckerOrdner_.datei("com2"); }
    struct Arbeitsordner {
        explicit Arbeitsordner(const std::string& pfad);
        ~Arbeitsordner();
        std::string vorher;
    } arbeitsordner_;
    SystemUhr uhr_;
    std::unique_ptr<Anwendung> anwendung_;
};

}  // namespace qzl::reise
