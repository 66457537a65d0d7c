#pragma once
// The user at the X display: moves the pointer, clicks and types through the
// X server's test extension, so every input takes the way a real one takes
// (X server, Qt's xcb platform, the widgets). Inputs are queued at the server
// and return at once; the program sees them from its event loop.
#include <QPoint>

#include <string>

class QWidget;
struct _XDisplay;

namespace qzl::reise {

class Nutzer {
public:
    Nutzer();  // opens its own connection to $DISPLAY; throws without one
    ~Nutzer();
    Nutzer(const Nutzer&) = delete;
    Nutzer& operator=(const Nutzer&) = delete;

    // Left click at a point of the screen, or in the middle of a widget.
    void klick(QPoint global);
    void klick(const QWidget* w);
    // One key with modifiers, as Qt's portable text: "F2", "Alt+F4", "Alt+P",
    // "Return", "Ctrl+A", "Down".
    void taste(const std::string& kombination);
    // Printable ASCII, with Shift where the keyboard needs it.
    void tippen(const std::string& text);
    // What a window manager does for a new window: give it the keyboard.
    void fokus(const QWidget* fenster);

private:
    void tasteDruecken(unsigned long keysym, bool shift);
    void senden();

    _XDisplay* anzeige_;
};

}  // namespace qzl::reise
