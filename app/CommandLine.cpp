// SPDX-License-Identifier: MIT
#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

std::optional<int> answerCommandLine(int argc, char *argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("plinkard"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PLINKARD_VERSION));
    QCommandLineParser parser;
    // "-platform wayland" as Qt's own programs take it, not as seven one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("A shooting-gallery game: shoot the pictures before they vanish."));
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
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    const auto answers = [&](const char *name) { return parser.isSet(QString::fromLatin1(name)); };
    if (parser.parse(arguments) && parser.positionalArguments().isEmpty() && !answers("help") && !answers("help-all") &&
        !answers("version")) {
        return std::nullopt;
    }
    // Only now a core application, which the help text needs; it opens no display.
    QCoreApplication app(argc, argv);
    parser.process(app); // help and version: standard output and status 0; an unknown option: status 1
    fprintf(stderr, "plinkard: takes no arguments (%s); see plinkard --help\n",
            qPrintable(parser.positionalArguments().join(u' ')));
    return 1;
}
