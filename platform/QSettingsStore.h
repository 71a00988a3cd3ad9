#pragma once

#include "SettingsStore.h"

// INI file per application in the user's configuration folder, one group per section.
class QSettingsStore final : public SettingsStore {
public:
    QString read(const QString &app, const QString &section, const QString &key, const QString &defaultValue) override;
    void write(const QString &app, const QString &section, const QString &key, const QString &value) override;
};
