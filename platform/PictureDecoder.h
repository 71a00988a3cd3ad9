// SPDX-License-Identifier: MIT
#pragma once

#include "PictureFiles.h"

#include <QObject>
#include <QString>
#include <map>
#include <memory>

class QProcess;

// The picture of an ordinary file, or none: one that decodes to more than MaxPicturePixels is
// refused from its header before any pixel is decoded. Its cost is not bounded otherwise (a
// progressive JPEG of many scans, an SVG of many shapes), so the game calls it only in a process of
// its own.
QImage decodePicture(const QString &path);
constexpr qint64 MaxPicturePixels = qint64(2048) * 2048;

// The program started as its own picture decoder (see ProcessPictures): true when it was, and then
// `status` is what it ends with.
bool runAsPictureDecoder(int &status);

// Each picture decoded by the program itself, started anew as a decoder process with a bound on the
// processor time it may take, its size and its lifetime: the game's process never decodes a picture
// and never waits for one, and a decoder that crashes takes nothing with it.
class ProcessPictures final : public QObject, public PictureFiles {
    Q_OBJECT
public:
    explicit ProcessPictures(QString decoder = QStringLiteral("/proc/self/exe"));
    ~ProcessPictures() override;
    void decode(int slot, const QString &path, std::function<void(const QImage &)> done) override;

    // The decoder's processor time: a picture that needs more gives none.
    static constexpr int CpuSeconds = 2;

private:
    void drop(int slot);

    QString m_decoder;
    std::map<int, std::unique_ptr<QProcess>> m_running;
};
