#pragma once
// The window's command socket: TCP on the loopback addresses or a Unix
// socket, a session of the command language per client. Everything runs on
// the window's thread between its events, so a client is served as fast as
// the window allows and never stalls it.
#include <QLocalServer>
#include <QObject>
#include <QTcpServer>
#include <QTimer>

#include <functional>
#include <list>
#include <memory>
#include <string>

#include "server/lauschadresse.h"
#include "server/lokaler_socket.h"
#include "remote/fernziel.h"
#include "remote/sitzung.h"

class QIODevice;

namespace qzl {

class Fernsteuerung : public QObject {
public:
    // At most this many clients at once; more are told so and closed. A
    // client that has closed holds no place.
    static constexpr int hoechstensKunden = 16;
    // Refused ones hear why for this long; beyond so many at once, not at all.
    static constexpr int abweisFristMs = 1000;
    static constexpr int hoechstensAbgewiesen = 16;
    // A client that does not read its answers is not read from beyond this.
    static constexpr qint64 sendeGrenze = 1 << 20;

    explicit Fernsteuerung(fern::Fernziel& ziel);
    ~Fernsteuerung() override;

    // Starts listening; the reason, one line, when it cannot.
    std::string lauschen(const Lauschadresse& adresse);
    // A sweep has stopped: answers held by *OPC? go out.
    void weiter();

private:
    struct Kunde {
        QIODevice* leitung = nullptr;
        std::unique_ptr<fern::Sitzung> sitzung;
        bool beschaeftigt = false;  // inside its session, perhaps in a modal loop
        bool weg = false;
    };

    Kunde* finden(QIODevice* leitung);
    void annehmen(QIODevice* leitung);
    void abweisen(QIODevice* leitung);
    void verloren(QIODevice* leitung);
    // Clients that are still there; those that have gone but were not
    // noticed, since nobody reads them, are let go first.
    int kundenDa();
    // Sent an HTTP request: the connection ends with a line on standard error.
    void webAnfrageAbweisen(Kunde& k);
    void lesen(QIODevice* leitung);
    // One turn of a client's session, guarded against re-entry from a modal
    // loop a command opens; its answers go out, and what waits is read next.
    void bedienen(Kunde& k, const std::function<std::string()>& schritt);
    void aufraeumen();

    fern::Fernziel& ziel_;
    QTcpServer tcp4_, tcp6_;
    QLocalServer lokal_;
    std::string pfad_;  // the Unix socket to remove at the end, if it is still ours
    std::string ordner_;  // where a client's file names start
    SocketKennung kennung_;
    std::list<Kunde> kunden_;
    int abgewiesen_ = 0;
    QTimer takt_;  // a held *OPC? is looked at now and then, too
};

}  // namespace qzl
