#pragma once

#include <QString>

// Per-user text values by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString &app, const QString &section, const QString &key,
                         const QString &defaultValue) = 0;
    virtual void write(const QString &app, const QString &section, const QString &key, const QString &value) = 0;
};
