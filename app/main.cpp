// SPDX-License-Identifier: MIT
#include "CommandLine.h"
#include "RunReport.h"
#include "game/Forms.h"
#include "game/Language.h"
#include "game/frmPlinkard.h"
#include "game/modPlinkard.h"
#include "platform/PictureDecoder.h"
#include "platform/QSettingsStore.h"
#include "platform/QtColorDialogs.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtFiles.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtProgramControl.h"
#include "platform/QuitSignals.h"
#include "platform/SeededRandom.h"
#include "platform/Services.h"
#include "platform/TickSource.h"
#include "platform/WaylandWindows.h"
#include "sound/SoundModule.h"

#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <cstdlib>

// The one place that builds the real services and hands them to the windows.
int main(int argc, char *argv[]) {
    if (int status = 0; runAsPictureDecoder(status)) {
        return status;
    }
    if (const auto status = answerCommandLine(argc, argv)) {
        return *status;
    }
    QApplication app(argc, argv);
#ifdef PLINKARD_RUN_REPORT // the benchmark build only
    RunReport::installIfAsked();
#endif
    Language::use(Language::chosen(QLocale::system().uiLanguages()));
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
    EventLoopTicks ticks;
    ProcessPictures pictures;
    Services services{messages, fileDialogs, colorDialogs, store, files, random, program, sound, ticks, pictures};

    modPlinkard mod(sound, files);
    Forms forms(services, mod);
    forms.main().show();
    // A signal saves as Exit does (the session manager's logout closes the window itself); before the
    // window shows there is nothing to save.
    const QuitSignals quitSignals([&forms] {
        if (forms.isMainLoaded() && forms.main().isVisible()) {
            forms.main().close();
        }
    });
    const int status = QApplication::exec();
    // The settings are on disk. A sound thread still busy after its half second is left behind, and may
    // still use what the teardown of the program and its libraries frees: then the process ends without it.
    if (!sound.shutDown()) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
