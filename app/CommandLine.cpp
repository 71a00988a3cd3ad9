// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include "game/Language.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <cstdio>

namespace {
// Qt's own options and the game's: help and version shown, the others taken silently.
void describe(QCommandLineParser &parser) {
    // "-platform wayland" as Qt's own programs take it, not as seven one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "A shooting-gallery game: shoot the pictures before they vanish."));
    parser.addHelpOption();
    parser.addVersionOption();
    // What QApplication takes for itself, a session manager's -session included.
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "style", "stylesheet", "session", "display"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}
} // namespace

std::optional<int> answerCommandLine(int argc, char *argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("plinkard"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PLINKARD_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser first;
    describe(first);
    const auto answers = [&](const char *name) { return first.isSet(QString::fromLatin1(name)); };
    if (first.parse(arguments) && first.positionalArguments().isEmpty() && !answers("help") && !answers("help-all") &&
        !answers("version")) {
        return std::nullopt;
    }
    // Only now a core application, which the help text needs; it opens no display. The texts in the
    // player's language are described anew.
    QCoreApplication app(argc, argv);
    Language::use(Language::chosen(QLocale::system().uiLanguages()));
    QCommandLineParser parser;
    describe(parser);
    parser.process(app); // help and version: standard output and status 0; an unknown option: status 1
    fprintf(
        stderr, "%s\n",
        qPrintable(QCoreApplication::translate("CommandLine", "plinkard: takes no arguments (%1); see plinkard --help")
                       .arg(parser.positionalArguments().join(u' '))));
    return 1;
}
