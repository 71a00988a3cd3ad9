// SPDX-License-Identifier: MIT
#include "Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
const QStringList Shipped{QStringLiteral("de"), QStringLiteral("es"), QStringLiteral("fr")};

// The game's texts and Qt's, loaded once per language and kept for the process.
QTranslator &translator(int which) {
    static QTranslator game, qt;
    return which == 0 ? game : qt;
}
} // namespace

QString Language::chosen(const QStringList &preferred) {
    for (const QString &name : preferred) {
        QString code = QString(name).replace(u'-', u'_').section(u'_', 0, 0).section(u'.', 0, 0).toLower();
        if (code == u"en" || code == u"c" || code == u"posix") {
            return {};
        }
        if (Shipped.contains(code)) {
            return code;
        }
    }
    return {};
}

bool Language::use(const QString &code) {
    QTranslator &game = translator(0), &qt = translator(1);
    QCoreApplication::removeTranslator(&game);
    QCoreApplication::removeTranslator(&qt);
    if (code.isEmpty()) {
        return true;
    }
    if (!game.load(QStringLiteral(":/i18n/plinkard_") + code)) {
        return false;
    }
    QCoreApplication::installTranslator(&game);
    if (qt.load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qt);
    }
    return true;
}
