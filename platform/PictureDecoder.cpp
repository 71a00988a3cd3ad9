// SPDX-License-Identifier: MIT
#include "PictureDecoder.h"

#include "RegularFile.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QTimer>
#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace {
// Names the game's process to a decoder it starts; a program started without it is the game.
constexpr char DecoderVariable[] = "PLINKARD_PICTURE_DECODER";
constexpr char Magic[] = "PLKP";
constexpr qsizetype HeaderBytes = 12;
constexpr qsizetype MaxPathBytes = 1 << 16;
// Beyond its processor time, a decoder that only waits (a file on a network mount that hangs) ends after this.
constexpr int LifetimeMs = 20000;

bool writeAll(int fd, const QByteArray &bytes) {
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno != EINTR) {
            return false;
        }
        done += std::max<ssize_t>(n, 0);
    }
    return true;
}

// The decoder's answer: the header, then the rows of premultiplied ARGB; anything else is no picture.
QImage fromAnswer(const QByteArray &answer) {
    qint32 size[2] = {0, 0};
    if (answer.size() < HeaderBytes || !answer.startsWith(Magic)) {
        return {};
    }
    std::memcpy(size, answer.constData() + 4, sizeof size);
    const qint64 pixels = qint64(size[0]) * size[1];
    if (size[0] <= 0 || size[1] <= 0 || pixels > MaxPicturePixels || answer.size() != HeaderBytes + pixels * 4) {
        return {};
    }
    return QImage(reinterpret_cast<const uchar *>(answer.constData() + HeaderBytes), size[0], size[1],
                  qsizetype(size[0]) * 4, QImage::Format_ARGB32_Premultiplied)
        .copy();
}
} // namespace

QImage decodePicture(const QString &path) {
    QFile file;
    if (!openRegularFile(file, path)) {
        return {};
    }
    QImageReader reader(&file);
    const QSize size = reader.size();
    // The allocation limit covers the formats whose header does not tell the size.
    reader.setAllocationLimit(int(MaxPicturePixels * 4 >> 20));
    if (!size.isValid() || qint64(size.width()) * size.height() > MaxPicturePixels) {
        return {};
    }
    return reader.read();
}

bool runAsPictureDecoder(int &status) {
    const QByteArray game = qgetenv(DecoderVariable);
    if (game.isEmpty()) {
        return false;
    }
    qunsetenv(DecoderVariable);
    status = 1;
    // Ended with the game, and once its processor time is spent, whatever it decodes: quietly, as no
    // crash (the signal's own action would dump a core).
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    ::signal(SIGXCPU, [](int) { ::_exit(1); });
    const rlimit cpu{ProcessPictures::CpuSeconds, ProcessPictures::CpuSeconds + 1};
    if (QByteArray::number(::getppid()) != game || ::setrlimit(RLIMIT_CPU, &cpu) != 0) {
        return true;
    }
    ::setpriority(PRIO_PROCESS, 0, 10); // behind the game and its sound
    QByteArray path;
    char buffer[4096];
    for (ssize_t n = 0; path.size() <= MaxPathBytes && (n = ::read(0, buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno != EINTR) {
            return true;
        }
        path.append(buffer, std::max<ssize_t>(n, 0));
    }
    // A GUI application: an SVG's text needs the fonts. It opens no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "plinkard";
    char *argv[] = {name, nullptr};
    const QGuiApplication app(argc, argv);
    const QImage image = decodePicture(pathFromNative(path)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return true;
    }
    const qint32 size[2] = {image.width(), image.height()};
    QByteArray answer(Magic, 4);
    answer.append(reinterpret_cast<const char *>(size), sizeof size);
    for (int y = 0; y < image.height(); ++y) {
        answer.append(reinterpret_cast<const char *>(image.constScanLine(y)), qsizetype(image.width()) * 4);
    }
    status = writeAll(STDOUT_FILENO, answer) ? 0 : 1;
    return true;
}

ProcessPictures::ProcessPictures(QString decoder) : m_decoder(std::move(decoder)) {}

ProcessPictures::~ProcessPictures() {
    while (!m_running.empty()) {
        drop(m_running.begin()->first);
    }
}

void ProcessPictures::drop(int slot) {
    // Killed and left to end on its own: nothing here waits for a decoder.
    const auto found = m_running.find(slot);
    if (found == m_running.end()) {
        return;
    }
    QProcess *process = found->second.release();
    m_running.erase(found);
    process->disconnect(this);
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->kill();
}

void ProcessPictures::decode(int slot, const QString &path, std::function<void(const QImage &)> done) {
    drop(slot);
    if (path.isEmpty()) {
        done({});
        return;
    }
    auto owned = std::make_unique<QProcess>();
    QProcess *process = owned.get();
    m_running[slot] = std::move(owned);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(DecoderVariable), QString::number(QCoreApplication::applicationPid()));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    auto answer = std::make_shared<QByteArray>();
    connect(process, &QProcess::readyReadStandardOutput, this, [process, answer] {
        *answer += process->readAllStandardOutput();
        if (answer->size() > HeaderBytes + MaxPicturePixels * 4) {
            process->kill();
        }
    });
    // A decoder that ended, crashed, was killed or never started: what it wrote whole is the picture.
    const auto finish = [this, slot, process, answer, done = std::move(done)] {
        if (const auto found = m_running.find(slot); found != m_running.end() && found->second.get() == process) {
            found->second.release()->deleteLater();
            m_running.erase(found);
        }
        done(fromAnswer(*answer + process->readAllStandardOutput()));
    };
    connect(process, &QProcess::finished, this, finish);
    connect(process, &QProcess::errorOccurred, this, [process, finish](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            process->disconnect();
            finish();
        }
    });
    QTimer::singleShot(LifetimeMs, process, [process] { process->kill(); });
    process->start(m_decoder, {});
    process->write(nativePath(path));
    process->closeWriteChannel();
}
