#pragma once

#include <QApplication>

// Windows need an application; one for the whole fuzzing run, on the offscreen platform.
inline void startFuzzApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}
