#pragma once

#include "fakes/GameRig.h"
#include "platform/Timer.h"
#include "platform/Twips.h"
#include "settings/StoredSettings.h"
#include "settings/frmSettings.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

// The game on fakes, with the program folder /opt/plinkard holding the default sound files.
struct SettingsRig : ::testing::Test {
    GameRig rig;
    const QString Folder = QStringLiteral("/opt/plinkard/");

    MemoryStore &store() { return rig.fakes.store; }
    FakeSound &sound() { return rig.fakes.sound; }
    frmPlinkard &start() { return rig.start(); }
    frmSettings &settings() { return rig.forms->settings(); }
    bool settingsLoaded() const { return rig.forms->isSettingsLoaded(); }
    void addFile(const QString &path) { rig.fakes.files.files.insert(path, QByteArray("data")); }
    // Forget what start-up did, so a test sees only its own writes and music calls.
    void forgetStartUp() {
        store().writes.clear();
        sound().calls.clear();
    }
};

// The six timers in the order the Settings button disables them.
inline std::vector<bool> sixTimers(const frmPlinkard &w) {
    return {w.tmrTime->isEnabled(), w.tmrWinScore->isEnabled(), w.tmrHard->isEnabled(),
            w.tmrEasy->isEnabled(), w.tmrVeryEasy->isEnabled(), w.tmrVeryHard->isEnabled()};
}

// Playing at a level (0 Too Easy .. 3 Too Hard): clock, winning-score check and that level's timer.
inline std::vector<bool> playingAt(int level) {
    static constexpr std::array<size_t, 4> slot{4, 3, 2, 5};
    std::vector<bool> flags{true, true, false, false, false, false};
    flags.at(slot.at(static_cast<size_t>(level))) = true;
    return flags;
}

inline const std::vector<bool> AllHalted(6, false);

// Controls of a window whose caption needs more room than the control has, with the pixels
// missing: nothing of a caption may be cut off.
inline QStringList clippedCaptions(QWidget *window) {
    QStringList clipped;
    auto check = [&](QWidget *control, const QString &caption, int need) {
        if (need > control->width()) {
            clipped << QStringLiteral("%1 (%2 px short)").arg(caption).arg(need - control->width());
        }
    };
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const QFontMetrics fm(control->font());
        if (auto *label = qobject_cast<QLabel *>(control)) {
            const QString text = QString(label->text()).remove(u'&');
            check(control, label->text(), fm.horizontalAdvance(text));
            if (fm.height() > control->height()) {
                clipped << label->text() + QStringLiteral(" (too low)");
            }
        } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
            check(control, box->text(), box->sizeHint().width());
        } else if (auto *button = qobject_cast<QPushButton *>(control)) {
            check(control, button->text(), fm.horizontalAdvance(QString(button->text()).remove(u'&')) + 8);
        } else if (auto *frame = qobject_cast<QGroupBox *>(control)) {
            check(control, frame->title(), fm.horizontalAdvance(frame->title()) + 8);
        }
    }
    return clipped;
}
