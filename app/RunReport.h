// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <cstdint>

class QWidget;

// Timings for the benchmarks in bench/, written to stderr only when the environment asks:
//   PLINKARD_REPORT_FIRST_PAINT=1  "first-paint-ms <ms>" once the first window has painted, measured
//                                  from PLINKARD_LAUNCH_NS (monotonic ns stamped by the launcher)
//   PLINKARD_REPORT_TICKS=1        "tick <interval ms> <ns>" as every periodic timer fires
//   PLINKARD_REPORT_INPUT=1        "press|release <ns> <class> <name>" as a click reaches the program,
//                                  and "painted <ns>" once the repaint that follows a press is on screen
// Only the benchmark build (PLINKARD_BUILD_BENCH=ON) has it; there a run without the variables installs nothing.
class RunReport final : public QObject {
public:
    static void installIfAsked();

    // The clock the launcher stamps PLINKARD_LAUNCH_NS with.
    static int64_t nowNs();
    // Milliseconds since PLINKARD_LAUNCH_NS, or -1 without it.
    static double msSinceLaunch();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    RunReport(bool firstPaint, bool ticks, bool input);
    // Runs once the current event, and the window flush that ends it, is done.
    void afterThisEvent(const char *what);

    bool m_firstPaint;
    bool m_ticks;
    bool m_input;
    bool m_awaitPaint = false;
    quint64 m_pendingStamp = 0;
    int64_t m_pendingNs = 0;
    int m_pendingType = 0;
};
