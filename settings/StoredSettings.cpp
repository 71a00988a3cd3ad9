// SPDX-License-Identifier: MIT
#include "StoredSettings.h"

#include "platform/Files.h"
#include "platform/SettingsStore.h"

#include <algorithm>

int StoredSettings::checkValue(const QString &stored, int defaultValue) {
    const QString text = stored.trimmed();
    if (text == u"0") {
        return 0;
    }
    if (text == u"1") {
        return 1;
    }
    return defaultValue;
}

QString StoredSettings::winningScore(const QString &stored) {
    const bool digits = std::all_of(stored.cbegin(), stored.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return digits ? stored : DefaultWinningScore;
}

namespace {
QString storedFile(SettingsStore &store, Files &files, const QString &key, const QString &appFolder,
                   const QString &defaultName) {
    using namespace StoredSettings;
    const QString fallback = appFolder + defaultName;
    QString stored = store.read(App, Section, key, fallback);
    if (!stored.startsWith(FormerProgramFolder) || files.isRegularFile(stored)) {
        return stored;
    }
    const QString name = stored.mid(FormerProgramFolder.size());
    const QString moved = appFolder + name;
    return !name.contains(u'/') && files.isRegularFile(moved) ? moved : fallback;
}
} // namespace

QString StoredSettings::musicFile(SettingsStore &store, Files &files, const QString &appFolder) {
    return storedFile(store, files, Midi, appFolder, QStringLiteral("snot.mid"));
}

QString StoredSettings::shotFile(SettingsStore &store, Files &files, const QString &appFolder) {
    return storedFile(store, files, Wave, appFolder, QStringLiteral("mchgun.wav"));
}
