// SPDX-License-Identifier: MIT
#pragma once

#include "SettingsStore.h"

#include <QSettings>
#include <map>
#include <utility>
#include <vector>

// One INI file per application ("<folder>/<app>.ini"), one [section] per section, the
// keys written as they are named, blanks included. QSettings does the file work: it
// writes a complete new file beside the old one and renames it over, so a crash in
// the middle of a write leaves the old or the new file, never half of one.
class QSettingsStore final : public SettingsStore {
public:
    // The user's configuration folder ($XDG_CONFIG_HOME, else ~/.config).
    QSettingsStore();
    explicit QSettingsStore(QString folder);

    QString read(const QString &app, const QString &section, const QString &key, const QString &defaultValue) override;
    // Reaches the disk before it returns.
    void write(const QString &app, const QString &section, const QString &key, const QString &value) override;

    QString fileFor(const QString &app) const;

protected:
    void beginWrites() override;
    void endWrites() override;

private:
    static QString defaultFolder();
    // The file format: keys verbatim; values verbatim unless they need quoting.
    static QSettings::Format format();
    // A damaged line is skipped; the lines around it are kept.
    static bool readIni(QIODevice &device, QSettings::SettingsMap &map);
    static bool writeIni(QIODevice &device, const QSettings::SettingsMap &map);
    void save(const QString &app, const std::vector<std::pair<QString, QString>> &values);

    QString m_folder;
    int m_batchDepth = 0;
    // Writes of the open batch, per application: "section/key" and value, in order.
    std::map<QString, std::vector<std::pair<QString, QString>>> m_pending;
};
