// SPDX-License-Identifier: MIT
#include "QuitSignals.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::array QuitSignalNumbers{SIGTERM, SIGHUP, SIGINT};

// The handler only writes to this pipe; the user-interface thread reads it.
std::array<int, 2> wakePipe{-1, -1};
volatile std::sig_atomic_t received = 0;

extern "C" void onQuitSignal(int signo) {
    if (received != 0) { // a second signal: the save of the first may be what is stuck
        std::signal(signo, SIG_DFL);
        std::raise(signo); // delivered as soon as this handler returns
        return;
    }
    received = signo;
    const int saved = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
    errno = saved;
}

void endAs(int signo) {
    std::signal(signo, SIG_DFL);
    std::raise(signo);
    std::_Exit(128 + signo); // only if the signal is blocked on this thread
}
} // namespace

QuitSignals::QuitSignals(std::function<void()> quit) : m_quit(std::move(quit)) {
    if (::pipe2(wakePipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::onSignal);
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    for (const int signo : QuitSignalNumbers) {
        sigaddset(&action.sa_mask, signo); // one handler at a time
    }
    action.sa_flags = SA_RESTART;
    for (const int signo : QuitSignalNumbers) {
        struct sigaction before {};
        if (sigaction(signo, nullptr, &before) == 0 && before.sa_handler != SIG_IGN) {
            sigaction(signo, &action, nullptr);
        }
    }
}

QuitSignals::~QuitSignals() {
    for (const int signo : QuitSignalNumbers) {
        struct sigaction now {};
        if (sigaction(signo, nullptr, &now) == 0 && now.sa_handler == onQuitSignal) {
            std::signal(signo, SIG_DFL);
        }
    }
    delete m_notifier;
    for (int &fd : wakePipe) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

void QuitSignals::onSignal() {
    m_notifier->setEnabled(false);
    const int signo = received;
    m_quit();
    // Saved: the status the shell and the session expect, and no teardown behind a sound thread that
    // may still be running.
    endAs(signo);
}
