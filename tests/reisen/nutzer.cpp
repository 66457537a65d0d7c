#include "nutzer.h"

#include <QWidget>

#include <stdexcept>
#include <vector>

// Xlib last: its macros (None, KeyPress, Bool ...) clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace qzl::reise {

namespace {

KeySym symbolAus(const std::string& name) {
    static const std::pair<const char*, KeySym> namen[] = {
        {"Alt", XK_Alt_L}, {"Ctrl", XK_Control_L}, {"Shift", XK_Shift_L}, {"Enter", XK_Return},
        {"Esc", XK_Escape}, {"Space", XK_space}, {"Backspace", XK_BackSpace},
    };
    for (const auto& [n, s] : namen)
        if (name == n) return s;
    // Single letters are lower-case keys; Shift is a modifier of its own.
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return static_cast<KeySym>(name[0] - 'A' + 'a');
    const KeySym s = XStringToKeysym(name.c_str());
    if (s == NoSymbol) throw std::invalid_argument("unknown key " + name);
    return s;
}

}  // namespace

Nutzer::Nutzer() : anzeige_(XOpenDisplay(nullptr)) {
    if (!anzeige_) throw std::runtime_error("no X display (run under tests/reisen/mit_xvfb.sh)");
    int ereignis = 0, fehler = 0, haupt = 0, neben = 0;
    if (!XTestQueryExtension(anzeige_, &ereignis, &fehler, &haupt, &neben)) {
        XCloseDisplay(anzeige_);
        throw std::runtime_error("the X server lacks the XTEST extension");
    }
}

Nutzer::~Nutzer() { XCloseDisplay(anzeige_); }

void Nutzer::senden() { XFlush(anzeige_); }

void Nutzer::klick(QPoint p) {
    XTestFakeMotionEvent(anzeige_, -1, p.x(), p.y(), CurrentTime);
    XTestFakeButtonEvent(anzeige_, 1, True, CurrentTime);
    XTestFakeButtonEvent(anzeige_, 1, False, CurrentTime);
    senden();
}

void Nutzer::klick(const QWidget* w) { klick(w->mapToGlobal(w->rect().center())); }

void Nutzer::tasteDruecken(unsigned long keysym, bool shift) {
    const KeyCode code = XKeysymToKeycode(anzeige_, keysym);
    if (code == 0) throw std::invalid_argument("no key for keysym " + std::to_string(keysym));
    const KeyCode umschalt = XKeysymToKeycode(anzeige_, XK_Shift_L);
    if (shift) XTestFakeKeyEvent(anzeige_, umschalt, True, CurrentTime);
    XTestFakeKeyEvent(anzeige_, code, True, CurrentTime);
    XTestFakeKeyEvent(anzeige_, code, False, CurrentTime);
    if (shift) XTestFakeKeyEvent(anzeige_, umschalt, False, CurrentTime);
}

void Nutzer::taste(const std::string& kombination) {
    std::vector<KeySym> teile;
    std::size_t anfang = 0;
    for (;;) {
        // "Ctrl++" would need a '+' key; no journey types one.
        const auto plus = kombination.find('+', anfang);
        teile.push_back(symbolAus(kombination.substr(anfang, plus - anfang)));
        if (plus == std::string::npos) break;
        anfang = plus + 1;
    }
    for (std::size_t i = 0; i + 1 < teile.size(); ++i)
        XTestFakeKeyEvent(anzeige_, XKeysymToKeycode(anzeige_, teile[i]), True, CurrentTime);
    tasteDruecken(teile.back(), false);
    for (std::size_t i = teile.size() - 1; i-- > 0;)
        XTestFakeKeyEvent(anzeige_, XKeysymToKeycode(anzeige_, teile[i]), False, CurrentTime);
    senden();
}

void Nutzer::tippen(const std::string& text) {
    for (const char c : text) {
        const auto s = static_cast<KeySym>(static_cast<unsigned char>(c));  // Latin-1 keysyms are the codes
        const KeyCode code = XKeysymToKeycode(anzeige_, s);
        if (code == 0) throw std::invalid_argument(std::string("no key for '") + c + "'");
        tasteDruecken(s, XkbKeycodeToKeysym(anzeige_, code, 0, 0) != s);
    }
    senden();
}

void Nutzer::fokus(const QWidget* fenster) {
    XSetInputFocus(anzeige_, static_cast<Window>(fenster->window()->winId()), RevertToParent, CurrentTime);
    XRaiseWindow(anzeige_, static_cast<Window>(fenster->window()->winId()));
    senden();
}

}  // namespace qzl::reise
