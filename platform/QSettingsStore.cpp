#include "QSettingsStore.h"

#include <QSettings>

QString QSettingsStore::read(const QString &app, const QString &section, const QString &key,
                             const QString &defaultValue) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, app);
    const QVariant value = settings.value(section + u'/' + key);
    return value.isValid() ? value.toString() : defaultValue;
}

void QSettingsStore::write(const QString &app, const QString &section, const QString &key, const QString &value) {
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, app);
    settings.setValue(section + u'/' + key, value);
    settings.sync();
}
