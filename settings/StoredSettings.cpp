#include "StoredSettings.h"

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
