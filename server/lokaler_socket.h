#pragma once
// What the command socket's server needs of the system beside Qt: the Unix
// socket made safely and removed only if still its own, and whether the
// other end of a connection has gone. POSIX in lokaler_socket_posix.cpp.
#include <QtGlobal>

#include <string>

namespace qzl {

// Which file a Unix socket is: another file at its path is not removed.
struct SocketKennung {
    unsigned long long geraet = 0, knoten = 0;
};

// The Unix socket's file, made with mode 0600 before anyone can connect, in
// a folder no other user can change; the listening descriptor and which
// file it is, or -1 with the reason.
int lokalenSocketAnlegen(const std::string& pfad, std::string& fehler, SocketKennung& kennung);
// Removes the socket at pfad if it is still the one that was made.
void lokalenSocketEntfernen(const std::string& pfad, const SocketKennung& kennung);
// The other end of a connection's descriptor has closed (or the descriptor
// is gone), though Qt may not have read so far.
bool gegenseiteGeschlossen(qintptr deskriptor);

}  // namespace qzl
