#include "BenchServices.h"

std::optional<QByteArray> ProgramFolder::readAll(const QString &path) {
    if (!path.endsWith(QStringLiteral("/scores.dat"))) {
        return QByteArray();
    }
    QByteArray data = "Plinkard\r\n\r\n\r\n";
    for (int i = 0; i < 10; ++i) {
        data += QByteArray::number(10000 - 1000 * i) + "\r\n";
    }
    data += "\r\n\r\n";
    for (int i = 0; i < 10; ++i) {
        data += "Player " + QByteArray::number(i + 1) + "\r\n";
    }
    return data;
}
