// SPDX-License-Identifier: MIT
#include "SoundServerProbe.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
bool accepts(const QString &path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.isEmpty() || static_cast<size_t>(name.size()) >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool connected = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

int serverCount(const QString &pulseServer, const QString &runtimeDir) {
    if (!pulseServer.trimmed().isEmpty()) {
        // A list of servers tried in turn: "unix:/path", "/path", "tcp:host:port", "host", each
        // perhaps after "{machine id}". Only local sockets can be checked without the protocol.
        for (QString server : pulseServer.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (server.startsWith(QLatin1Char('{'))) {
                server = server.mid(server.indexOf(QLatin1Char('}')) + 1);
            }
            if (server.startsWith(QLatin1String("unix:"))) {
                server = server.mid(5);
            } else if (!server.startsWith(QLatin1Char('/'))) {
                return 1;
            }
            if (accepts(server)) {
                return 1;
            }
        }
        return 0;
    }
    QStringList sockets{QStringLiteral("/run/pulse/native")};
    if (!runtimeDir.isEmpty()) {
        sockets.prepend(runtimeDir + QStringLiteral("/pulse/native"));
    }
    for (const QString &socket : sockets) {
        if (accepts(socket)) {
            return 1;
        }
    }
    return 0;
}

} // namespace

int soundServerCount() {
    return serverCount(qEnvironmentVariable("PULSE_SERVER"), qEnvironmentVariable("XDG_RUNTIME_DIR"));
}
