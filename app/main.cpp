// SPDX-License-Identifier: MIT
#include "CommandLine.h"
#include "RunReport.h"
#include "game/Forms.h"
#include "game/frmPlinkard.h"
#include "platform/QSettingsStore.h"
#include "platform/QtColorDialogs.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtFiles.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtProgramControl.h"
#include "platform/SeededRandom.h"
#include "platform/Services.h"
#include "platform/WaylandWindows.h"
#include "sound/SoundModule.h"
#include "sound/modPlinkard.h"

#include <QApplication>

// The one place that builds the real services and hands them to the windows.
int main(int argc, char *argv[]) {
    if (const auto status = answerCommandLine(argc, argv)) {
        return *status;
    }
    QApplication app(argc, argv);
#ifdef PLINKARD_RUN_REPORT // the benchmark build only
    RunReport::installIfAsked();
#endif
    QApplication::setApplicationName(QStringLiteral("Plinkard"));
    // Names the menu entry, so Wayland desktops show its icon and group its windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.brindlecot.Plinkard"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    WaylandWindows::installIfWayland();

    QtMessageBoxes messages;
    QtFileDialogs fileDialogs;
    QtColorDialogs colorDialogs;
    QSettingsStore store;
    QtFiles files;
    SeededRandom random;
    QtProgramControl program;
    SoundModule sound;
    Services services{messages, fileDialogs, colorDialogs, store, files, random, program, sound};

    modPlinkard mod(sound, files);
    Forms forms(services, mod);
    forms.main().show();
    return QApplication::exec();
}
