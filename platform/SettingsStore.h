// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Per-user text values by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString &app, const QString &section, const QString &key,
                         const QString &defaultValue) = 0;
    virtual void write(const QString &app, const QString &section, const QString &key, const QString &value) = 0;

    // The writes made while a Batch lives reach the disk together when it ends: a crash
    // keeps all of them or none, never the first half of a save.
    class Batch {
    public:
        explicit Batch(SettingsStore &store) : m_store(store) { m_store.beginWrites(); }
        ~Batch() { m_store.endWrites(); }
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        SettingsStore &m_store;
    };

protected:
    virtual void beginWrites() {}
    virtual void endWrites() {}
};
