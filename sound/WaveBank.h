#pragma once

#include "WaveFile.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class QAudioSink;
class WaveStream;

// Short sounds through one audio sink of their own. Each file is read once and kept, so a
// repeated shot starts without reloading; a new sound cuts off the one still playing; a file
// that cannot be played plays the default sound instead.
class WaveBank final : public QObject {
    Q_OBJECT
public:
    // Without output the sounds only go to stream(), as a test reads them.
    explicit WaveBank(const QString &defaultSound, bool withOutput = true, QObject *parent = nullptr);
    ~WaveBank() override;

    // Starts the sound and returns at once.
    void play(const QString &file);
    // The file whose sound started last, or the default sound's name in its place.
    QString lastStarted() const { return m_lastStarted; }
    // How many different sounds are held.
    qsizetype loadedCount() const;
    // What the sink reads.
    WaveStream &stream() { return *m_stream; }

private:
    // The file itself when it can be played, else the default sound.
    QString sourceFor(const QString &file);
    void startOutput();
    void stopOutput();

    QString m_defaultSound;
    QHash<QString, QString> m_sourceOf;
    QHash<QString, std::shared_ptr<const WaveSound>> m_sounds; // by source
    QString m_lastStarted;
    std::unique_ptr<WaveStream> m_stream;
    std::unique_ptr<QAudioSink> m_sink;
    bool m_withOutput;
    QTimer m_idle;
};
