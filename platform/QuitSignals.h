// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

// SIGTERM (logout, shutdown), SIGHUP (the terminal closed) and SIGINT (Ctrl+C) end the game as Exit
// does: `quit` runs on this thread, and once it returns the process ends as the signal would have
// ended it, with status 128 + its number. A second signal before that ends the process at once. A
// signal ignored at start (nohup) stays ignored.
class QuitSignals final : public QObject {
public:
    explicit QuitSignals(std::function<void()> quit);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals &) = delete;
    QuitSignals &operator=(const QuitSignals &) = delete;

private:
    void onSignal();

    std::function<void()> m_quit;
    QSocketNotifier *m_notifier = nullptr;
};
