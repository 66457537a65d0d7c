#pragma once
// One client of the remote-control socket: its bytes in, its answers out,
// its error queue. The server makes one per connection and feeds it what
// arrives; the session never blocks.
//
// Lines end in LF (CR LF too); a query gets exactly one line back, a line of
// commands nothing. Queries joined by ';' on one line answer one line, their
// fields joined by ';' (a failed query's field is empty). Each part of a
// line is its own command: an error in one leaves the others standing.
//
// Hostile input stays small. A line over zeilenGrenze bytes is dropped up to
// its LF with one -100 and no answer, even if it was a query: cut, it is no
// known query. A line with bytes outside printable ASCII (UTF-8 allowed
// inside quotes) is -100; if its header ends in '?', it still gets its empty
// answer.
//
// *OPC? while the session's last INITiate pass still runs answers nothing
// yet, nor does CALCulate:CRYStal:MEASure? while its measurement runs:
// that line and every later one of this client wait, at most
// haltGrenze bytes of them. A line that would go beyond is dropped with -100
// like an over-long one. weiter() goes on once the pass is over.
//
// After ABORt, later commands of the client wait the same way until the
// sweep has ended, while its queries are answered.
//
// An HTTP request line or Host header (see webAnfrage) ends the session at
// once: nothing of it or after it runs, even what came in the same chunk,
// and the server closes the connection (the answers of the lines before it
// still come back from empfangen).
//
// An answer can be long (a trace per TRACe:DATA?, several on one line):
// the server reads no more from a client whose answers it has not yet sent.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "remote/befehle.h"

namespace qzl::fern {

class Sitzung {
public:
    static constexpr std::size_t zeilenGrenze = 4096;  // without CR LF
    static constexpr std::size_t haltGrenze = 65536;

    // vertraut and ordner: see Lage.
    explicit Sitzung(Fernziel& ziel, bool vertraut = false, std::string ordner = {})
        : lage_{.ziel = ziel, .fehler = fehler_, .vertraut = vertraut, .ordner = std::move(ordner)} {}
    Sitzung(const Sitzung&) = delete;
    Sitzung& operator=(const Sitzung&) = delete;

    // Takes the client's bytes in chunks of any size; returns the bytes to send.
    std::string empfangen(std::string_view daten);
    // While wartet(), the server calls this when a pass has ended (or on a
    // timer): once the pass is over, the held lines are answered in order.
    std::string weiter();
    // An *OPC? (or a crystal's measurement) holds this client's lines.
    bool wartet() const { return haelt_; }
    // The client sent an HTTP request: close the connection.
    bool geschlossen() const { return geschlossen_; }

private:
    // Runs the complete lines received; stops at an *OPC? that has to wait.
    void abarbeiten(std::string& antwort);
    // Runs the current line from the part it stopped at; false while it waits.
    bool zeileFortsetzen(std::string& antwort);

    Fehlerschlange fehler_;
    Lage lage_;
    std::string eingang_;           // complete lines not yet run, then the line arriving
    std::size_t zeilenAnfang_ = 0;  // where in eingang_ the line arriving begins
    bool verwerfen_ = false;        // the rest of a dropped line, up to its LF, is dropped too
    bool haelt_ = false;
    bool geschlossen_ = false;

    struct Zeile {
        std::string text;
        std::size_t teil = 0;  // the next part to run
        std::string felder;    // the answers so far
        bool abfrage = false;  // the line has a query and so answers
    } laufend_;
};

}  // namespace qzl::fern
