// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

// The player's language: the game's own texts and Qt's (the buttons of a box, the file and colour
// dialogs) in German, French or Spanish. English, the C locale, or a language the game does not
// ship leaves every text exactly as it is; stored settings never depend on it.
namespace Language {
// The first of the player's languages, most wanted first (as Qt reads LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG), that is English or shipped: its code ("de"), or empty for English.
QString chosen(const QStringList &preferred);
// Puts the texts of that language in force, or English for an empty code; false when it has none.
bool use(const QString &code);
} // namespace Language
