#pragma once
// Where qzl7-cli talks to: standard output for data and results, standard
// error for messages and the progress line. The program's main() gives the
// real streams; tests give strings.
#include <atomic>
#include <string>
#include <string_view>

namespace qzl::cli {

class Konsole {
public:
    virtual ~Konsole() = default;
    // Bytes to standard output, all at once; false if they could not be written.
    virtual bool ausgeben(std::string_view daten) = 0;
    // One line to standard error (the line end is added).
    virtual void melden(std::string_view zeile) = 0;
    // Whether a person watches standard error, so that a progress line helps.
    virtual bool terminal() const { return false; }
    // Whether standard output is a terminal, which a picture would garble.
    virtual bool ausgabeTerminal() const { return false; }
    // Replaces the progress line; an empty text clears it.
    virtual void fortschritt(std::string_view /*text*/) {}
    // From now on an interrupt or a termination request sets flagge: the
    // sweep ends after the point in progress and nothing unfinished is written.
    virtual void abbruchVerbinden(std::atomic<bool>& /*flagge*/) {}
    // Exit status of a run ended so: 128 + the signal's number.
    virtual int abbruchStatus() const { return 130; }
};

}  // namespace qzl::cli
