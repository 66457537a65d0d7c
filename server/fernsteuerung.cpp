#include "server/fernsteuerung.h"

#include <QLocalSocket>
#include <QTcpSocket>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "remote/datei_befehle.h"

namespace qzl {

namespace {
// A client is served in pieces of this, so that a flood leaves the window
// its events between them.
constexpr qint64 leseStueck = 16384;
constexpr qint64 pufferGrenze = 65536;

qintptr deskriptor(QIODevice* leitung) {
    if (auto* s = qobject_cast<QAbstractSocket*>(leitung)) return s->socketDescriptor();
    if (auto* s = qobject_cast<QLocalSocket*>(leitung)) return s->socketDescriptor();
    return -1;
}

void abbrechen(QIODevice* leitung) {
    if (auto* s = qobject_cast<QAbstractSocket*>(leitung)) s->abort();
    if (auto* s = qobject_cast<QLocalSocket*>(leitung)) s->abort();
}
}  // namespace

Fernsteuerung::Fernsteuerung(fern::Fernziel& ziel)
    : ziel_(ziel), ordner_(fern::standardOrdner(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"))) {
    for (QTcpServer* server : {&tcp4_, &tcp6_})
        connect(server, &QTcpServer::newConnection, this, [this, server] {
            while (QTcpSocket* s = server->nextPendingConnection()) {
                // Qt would read all a client sends into memory; the kernel holds the rest.
                s->setReadBufferSize(pufferGrenze);
                connect(s, &QTcpSocket::disconnected, this, [this, s] { verloren(s); });
                annehmen(s);
            }
        });
    connect(&lokal_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* s = lokal_.nextPendingConnection()) {
            s->setReadBufferSize(pufferGrenze);
            connect(s, &QLocalSocket::disconnected, this, [this, s] { verloren(s); });
            annehmen(s);
        }
    });
    takt_.setInterval(50);
    connect(&takt_, &QTimer::timeout, this, [this] { weiter(); });
}

Fernsteuerung::~Fernsteuerung() {
    // The servers delete their connections after this body: none may call back.
    for (QObject* server : std::initializer_list<QObject*>{&tcp4_, &tcp6_, &lokal_}) {
        server->disconnect(this);
        for (QObject* leitung : server->children()) leitung->disconnect(this);
    }
    if (!pfad_.empty()) lokalenSocketEntfernen(pfad_, kennung_);
}

std::string Fernsteuerung::lauschen(const Lauschadresse& a) {
    if (!a.pfad.empty()) {
        std::string fehler;
        const int fd = lokalenSocketAnlegen(a.pfad, fehler, kennung_);
        if (fd < 0) return fehler;
        pfad_ = a.pfad;
        if (!lokal_.listen(fd)) return "qzl7: cannot listen on " + a.pfad + ": " + lokal_.errorString().toStdString();
        return {};
    }
    const auto port = static_cast<quint16>(a.port);
    if (!tcp4_.listen(QHostAddress::LocalHost, port))
        return "qzl7: cannot listen on 127.0.0.1 port " + std::to_string(a.port) + ": " +
               tcp4_.errorString().toStdString();
    // ::1 where the system has IPv6; IPv4 alone serves every script too.
    tcp6_.listen(QHostAddress::LocalHostIPv6, port);
    return {};
}

Fernsteuerung::Kunde* Fernsteuerung::finden(QIODevice* leitung) {
    const auto k = std::find_if(kunden_.begin(), kunden_.end(), [&](const Kunde& x) { return x.leitung == leitung; });
    return k == kunden_.end() ? nullptr : &*k;
}

int Fernsteuerung::kundenDa() {
    int da = 0;
    for (Kunde& k : kunden_) {
        if (k.weg) continue;
        if (!gegenseiteGeschlossen(deskriptor(k.leitung))) {
            ++da;
            continue;
        }
        // Qt notices a close only when it reads, and a client that waits or
        // leaves its answers unread is not read. One that is read is
        // noticed soon; until then it holds no place either.
        if (!k.beschaeftigt && (k.sitzung->wartet() || k.leitung->bytesToWrite() > sendeGrenze))
            verloren(k.leitung);
    }
    aufraeumen();
    return da;
}

void Fernsteuerung::annehmen(QIODevice* leitung) {
    aufraeumen();
    // Closed ones that Qt has not yet reaped are bounded all the same.
    if (kundenDa() >= hoechstensKunden || static_cast<int>(kunden_.size()) >= 2 * hoechstensKunden) {
        abweisen(leitung);
        return;
    }
    // The Unix socket is the user's alone (0600); TCP on the loopback is anyone's on the computer.
    const bool vertraut = qobject_cast<QLocalSocket*>(leitung) != nullptr;
    kunden_.push_back({leitung, std::make_unique<fern::Sitzung>(ziel_, vertraut, ordner_)});
    connect(leitung, &QIODevice::readyRead, this, [this, leitung] { lesen(leitung); });
    // Reading goes on once a slow reader has taken enough of its answers.
    connect(leitung, &QIODevice::bytesWritten, this, [this, leitung] {
        if (leitung->bytesToWrite() < sendeGrenze / 2) lesen(leitung);
    });
}

void Fernsteuerung::abweisen(QIODevice* leitung) {
    leitung->disconnect(this);
    leitung->write("qzl7: busy, " + QByteArray::number(hoechstensKunden) + " clients at most; try later\n");
    // A client that sends before it reads would find the connection gone
    // and never see why: it is closed a little later, its lines dropped.
    connect(leitung, &QIODevice::readyRead, leitung, [leitung] { leitung->readAll(); });
    const auto schliessen = [leitung] {
        if (auto* s = qobject_cast<QAbstractSocket*>(leitung)) s->disconnectFromHost();
        if (auto* s = qobject_cast<QLocalSocket*>(leitung)) s->disconnectFromServer();
        leitung->deleteLater();
    };
    if (++abgewiesen_ > hoechstensAbgewiesen)
        schliessen();
    else
        QTimer::singleShot(abweisFristMs, leitung, schliessen);
    connect(leitung, &QObject::destroyed, this, [this] { --abgewiesen_; });
}

void Fernsteuerung::verloren(QIODevice* leitung) {
    if (Kunde* k = finden(leitung)) k->weg = true;
    leitung->disconnect(this);
    leitung->deleteLater();
    QTimer::singleShot(0, this, [this] { aufraeumen(); });
}

void Fernsteuerung::lesen(QIODevice* leitung) {
    Kunde* k = finden(leitung);
    // Not re-entered from a modal loop a command opened, not past a held
    // *OPC?, not for a client that leaves its answers unread.
    if (!k || k->weg || k->beschaeftigt || k->sitzung->wartet() || leitung->bytesToWrite() > sendeGrenze) return;
    const QByteArray daten = leitung->read(leseStueck);
    if (daten.isEmpty()) return;
    bedienen(*k, [&] { return k->sitzung->empfangen(std::string_view(daten.constData(), daten.size())); });
}

void Fernsteuerung::webAnfrageAbweisen(Kunde& k) {
    std::string wer = "a client of " + pfad_;
    if (auto* s = qobject_cast<QAbstractSocket*>(k.leitung))
        wer = s->peerAddress().toString().toStdString() + " port " + std::to_string(s->peerPort());
    std::fprintf(stderr,
                 "qzl7: closed the connection from %s: it sent an HTTP request, which a web page can make a "
                 "browser send; commands are lines of text\n",
                 wer.c_str());
    QIODevice* leitung = k.leitung;
    verloren(leitung);
    abbrechen(leitung);
}

void Fernsteuerung::bedienen(Kunde& k, const std::function<std::string()>& schritt) {
    k.beschaeftigt = true;
    const std::string antwort = schritt();
    k.beschaeftigt = false;
    if (k.weg) return;
    if (k.sitzung->geschlossen()) return webAnfrageAbweisen(k);
    if (!antwort.empty()) k.leitung->write(antwort.data(), static_cast<qint64>(antwort.size()));
    if (k.sitzung->wartet())
        takt_.start();
    else if (k.leitung->bytesAvailable() > 0)
        QTimer::singleShot(0, k.leitung, [this, l = k.leitung] { lesen(l); });
}

void Fernsteuerung::weiter() {
    for (Kunde& k : kunden_)
        if (!k.weg && !k.beschaeftigt && k.sitzung->wartet()) bedienen(k, [&] { return k.sitzung->weiter(); });
    if (std::none_of(kunden_.begin(), kunden_.end(), [](const Kunde& k) { return !k.weg && k.sitzung->wartet(); }))
        takt_.stop();
}

void Fernsteuerung::aufraeumen() {
    kunden_.remove_if([](const Kunde& k) { return k.weg && !k.beschaeftigt; });
}

}  // namespace qzl
