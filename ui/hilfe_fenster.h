#pragma once
// The program's help viewer: the German HTML help in a window of its own, with
// links, back and forward, so it works without a browser or a network.
#include <QWidget>

class QTextBrowser;

namespace qzl::ui {

class HilfeFenster : public QWidget {
public:
    // inhalt: the contents page, the start of the help.
    HilfeFenster(const QString& inhalt, QWidget* eltern);

    // Shows the window at the contents page and brings it to the front.
    void inhaltZeigen();
    QTextBrowser* browser() const { return browser_; }

private:
    QString inhalt_;
    QTextBrowser* browser_;
};

}  // namespace qzl::ui
