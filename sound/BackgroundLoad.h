// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QThread>
#include <functional>
#include <optional>
#include <utility>

// Something slow to load (a library, a SoundFont, a server connection) loaded once on a thread of its own,
// and adopted on the thread of the object that asked for it: when the load has finished, or at once by
// finish(), which waits for it. Whatever the load touches must outlive this: its destructor waits for a
// load still under way, and the result that no one adopted goes with it.
template <typename Result> class BackgroundLoad {
public:
    BackgroundLoad() = default;
    ~BackgroundLoad() { join(); }
    BackgroundLoad(const BackgroundLoad &) = delete;
    BackgroundLoad &operator=(const BackgroundLoad &) = delete;

    // Whether a load has begun; only the first start() begins one.
    bool started() const { return m_started; }

    // Runs `load` on a thread; `adopt` takes its result on `owner`'s thread, once, unless owner has gone.
    template <typename Load> void start(QObject *owner, Load load, std::function<void(Result)> adopt) {
        if (m_started) {
            return;
        }
        m_started = true;
        m_adopt = std::move(adopt);
        m_thread = QThread::create([this, load = std::move(load)]() mutable { m_result.emplace(load()); });
        QObject::connect(
            m_thread, &QThread::finished, owner, [this] { finish(); }, Qt::QueuedConnection);
        m_thread->start();
    }

    // Waits for the load under way, if any, and adopts its result.
    void finish() {
        if (m_thread == nullptr) {
            return;
        }
        join();
        const auto adopt = std::exchange(m_adopt, nullptr);
        adopt(*std::exchange(m_result, std::nullopt));
    }

private:
    void join() {
        if (m_thread != nullptr) {
            m_thread->wait();
            delete m_thread;
            m_thread = nullptr;
        }
    }

    bool m_started = false;
    QThread *m_thread = nullptr;
    // Written by the load only, read once it has finished.
    std::optional<Result> m_result;
    std::function<void(Result)> m_adopt;
};
