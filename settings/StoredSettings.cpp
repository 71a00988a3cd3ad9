// SPDX-License-Identifier: MIT
#include "StoredSettings.h"

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

QString StoredSettings::musicFile(SettingsStore &store, const QString &appFolder) {
    return store.read(App, Section, Midi, appFolder + QStringLiteral("snot.mid"));
}

QString StoredSettings::shotFile(SettingsStore &store, const QString &appFolder) {
    return store.read(App, Section, Wave, appFolder + QStringLiteral("mchgun.wav"));
}
