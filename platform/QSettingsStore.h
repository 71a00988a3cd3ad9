// SPDX-License-Identifier: MIT
#pragma once

#include "SettingsStore.h"

#include <QString>
#include <map>
#include <utility>
#include <vector>

// One INI file per application ("<folder>/<app>.ini"), one [section] per section, the keys written
// as they are named, blanks included. The file may be shared with other programs of the same maker,
// so a write changes only the lines of the keys it writes: other sections, comments, line ends and
// bytes that are not UTF-8 stay as they were. It writes a complete new file beside the old one and
// renames it over, so a crash in the middle of a write leaves the old or the new file, never half of one.
class QSettingsStore final : public SettingsStore {
public:
    // The user's configuration folder ($XDG_CONFIG_HOME when absolute, else ~/.config).
    QSettingsStore();
    explicit QSettingsStore(QString folder);

    // What the file holds: the writes of a batch are read once it has ended.
    QString read(const QString &app, const QString &section, const QString &key, const QString &defaultValue) override;
    // Reaches the disk before it returns, or, in a batch, with the batch's other writes when it ends.
    void write(const QString &app, const QString &section, const QString &key, const QString &value) override;

    QString fileFor(const QString &app) const;

    // A larger file is no store of ours: it is neither read nor written, and no write makes one.
    static constexpr qint64 MaxFileBytes = 1 << 20;

protected:
    void beginWrites() override;
    void endWrites() override;

private:
    struct Value {
        QString section, key, value;
    };
    static QString defaultFolder();
    void save(const QString &app, const std::vector<Value> &values);

    QString m_folder;
    int m_batchDepth = 0;
    // Writes of the open batch, per application, in order.
    std::map<QString, std::vector<Value>> m_pending;
};
