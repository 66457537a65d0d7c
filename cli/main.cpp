// qzl7-cli: the engine of qzl7 without a window, for scripts.
#include <algorithm>
#include <clocale>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/plattform.h"

namespace {

class Terminal : public qzl::cli::Konsole {
public:
    bool ausgeben(std::string_view daten) override { return qzl::cli::ausgabeSchreiben(daten); }
    void melden(std::string_view zeile) override {
        if (zeileOffen_) fortschritt("");
        qzl::cli::fehlerSchreiben(std::string(zeile) + "\n");
    }
    bool terminal() const override { return istTerminal_; }
    bool ausgabeTerminal() const override { return qzl::cli::ausgabeIstTerminal(); }
    void fortschritt(std::string_view text) override {
        if (!istTerminal_ || (text.empty() && !zeileOffen_)) return;
        // Back to the start of the line; blanks cover what a longer line left.
        const int rest = std::max(0, laenge_ - static_cast<int>(text.size()));
        std::string zeile = "\r" + std::string(text) + std::string(static_cast<std::size_t>(rest), ' ');
        if (text.empty()) zeile += '\r';
        qzl::cli::fehlerSchreiben(zeile);
        zeileOffen_ = !text.empty();
        laenge_ = static_cast<int>(text.size());
    }
    void abbruchVerbinden(std::atomic<bool>& flagge) override { qzl::cli::abbruchAbfangen(flagge); }
    int abbruchStatus() const override { return qzl::cli::abbruchStatus(); }

private:
    bool istTerminal_ = qzl::cli::fehlerAusgabeIstTerminal();
    bool zeileOffen_ = false;
    int laenge_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    // Dates in the user's form, as the window writes them; numbers never
    // depend on the locale.
    std::setlocale(LC_TIME, "");
    qzl::cli::ausgabeBinaer();
    Terminal terminal;
    qzl::SystemUhr uhr;
    return qzl::cli::cliAusfuehren(qzl::cli::befehlszeile(argc, argv), terminal, uhr);
}
