#include "FakeServices.h"

#include "settings/StoredSettings.h"

MsgResult FakeMessageBoxes::show(QWidget * /*owner*/, const QString &prompt, int style, const QString &title) {
    shown.push_back({prompt, style, title});
    if (during) {
        during(shown.back());
    }
    if (answers.empty()) {
        return (style & 7) == MsgStyle::YesNo ? MsgResult::Yes : MsgResult::Ok;
    }
    const MsgResult answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> FakeFileDialogs::openFile(QWidget * /*owner*/, const QString &title, const QString &filter,
                                                 const QString &startFolder) {
    calls.push_back({title, filter, startFolder});
    if (answers.empty()) {
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<uint32_t> FakeColorDialogs::chooseColor(QWidget * /*owner*/, const QString &title, uint32_t current) {
    calls.push_back({title, current});
    if (answers.empty()) {
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

QString MemoryStore::path(const QString &key) {
    return StoredSettings::App + u'/' + StoredSettings::Section + u'/' + key;
}

QString MemoryStore::read(const QString &app, const QString &section, const QString &key,
                          const QString &defaultValue) {
    return values.value(app + u'/' + section + u'/' + key, defaultValue);
}

void MemoryStore::write(const QString &app, const QString &section, const QString &key, const QString &value) {
    values.insert(app + u'/' + section + u'/' + key, value);
    writes << key + u'=' + value;
    if (m_batchDepth > 0) {
        m_batch << key + u'=' + value;
    }
}

void MemoryStore::endWrites() {
    if (--m_batchDepth == 0) {
        batches << m_batch;
        m_batch.clear();
    }
}

std::optional<QByteArray> FakeFiles::readAll(const QString &path) {
    if (!files.contains(path) || unreadable.contains(path)) {
        return std::nullopt;
    }
    return files.value(path);
}

QString FakeFiles::canonicalPath(const QString &path) {
    return files.contains(path) || folders.contains(path) ? path : QString();
}

int FakeSound::outputDeviceCount() {
    calls << QStringLiteral("devices");
    return devices;
}

void FakeSound::openSequencer(const QString &file, const QString &alias) { calls << QStringLiteral("open ") + file + u' ' + alias; }

void FakeSound::playFromStart(const QString &alias) { calls << QStringLiteral("play ") + alias; }

void FakeSound::close(const QString &alias) { calls << QStringLiteral("close ") + alias; }

void FakeSound::playWave(const QString &file) { calls << QStringLiteral("wave ") + file; }

QStringList FakeSound::waves() const {
    QStringList out;
    for (const QString &c : calls) {
        if (c.startsWith(u"wave ")) {
            out << c.mid(5);
        }
    }
    return out;
}

QByteArray FakeServices::defaultScoreFile() {
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

FakeServices::FakeServices() {
    files.files.insert(files.folder + QStringLiteral("/scores.dat"), defaultScoreFile());
    for (const char *name : {"snot.mid", "mchgun.wav", "miss.wav"}) {
        files.files.insert(files.folder + u'/' + QLatin1String(name), QByteArray("data"));
    }
}
