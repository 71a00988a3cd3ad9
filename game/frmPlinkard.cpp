// SPDX-License-Identifier: MIT
// The main window's start-up and flow: loading, New Game, the levels, the pause, the other windows,
// the clock and the winning score, and Exit.
#include "frmPlinkard.h"

#include "Forms.h"
#include "game/rules/Ammunition.h"
#include "game/rules/Decimal.h"
#include "game/rules/GameClock.h"
#include "game/rules/HighScoreTable.h"
#include "game/rules/Level.h"
#include "game/rules/ScoreFile.h"
#include "modPlinkard.h"
#include "platform/ClickLabel.h"
#include "platform/Controls.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureBox.h"
#include "platform/ProgramControl.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/SoundSystem.h"
#include "platform/Timer.h"
#include "platform/Twips.h"
#include "scores/frmName.h"
#include "scores/frmScores.h"
#include "settings/StoredSettings.h"
#include "settings/frmColors.h"
#include "settings/frmSettings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <utility>

namespace {
constexpr int F3 = 114;
} // namespace

// ---------------------------------------------------------------- start-up

void frmPlinkard::Form_Load() {
    Services &svc = m_forms.services;
    modPlinkard &mod = m_forms.mod;

    // The folder comes before the first box: whatever runs while a box is up sees the default
    // paths with their folder.
    const QString folder = svc.files.programFolder();
    QString appFolder = mod.ShortPath(folder);
    if (appFolder.isEmpty()) {
        appFolder = folder;
    }
    if (!appFolder.endsWith(u'/')) {
        appFolder += u'/';
    }
    mod.AppFolder = appFolder;

    if (svc.sound.outputDeviceCount() <= 0) {
        svc.messages.show(this, tr("Your system cannot play sounds."), MsgStyle::Information, tr("Sound Test"));
    }

    bulletsLeft = MagazineSize;
    easyShotCount = 0;
    colLefts = {2950, 876, 1610, 2265, 3615, 195, 4335, 4965};
    colTops = {607, 3195, 1124, 1641, 90, 2158, 2675};

    using namespace StoredSettings;
    setValue(chkMusic, checkValue(svc.store.read(App, Section, MidiOnOff, QStringLiteral("1")), value(chkMusic)));
    setValue(chkSounds, checkValue(svc.store.read(App, Section, WaveOnOff, QStringLiteral("1")), value(chkSounds)));

    // Read from the store as the settings window would, without building that window before the
    // first paint; it is built when first used.
    if (value(chkMusic) == 1) {
        mod.PlayMidi(musicFile(svc.store, svc.files, appFolder));
    }

    // The reload sign waits in the middle of the field.
    lblFlash->move(m_origin + QPoint(px(2040), px(1620)));

    // Without its score file the game does not run.
    if (!LoadScores(folder + QStringLiteral("/scores.dat"))) {
        svc.messages.show(this,
                          tr("Error!  %1 was not found.  Plinkard high scores will not operate with out this file.")
                              .arg(QStringLiteral("scores.dat")),
                          MsgStyle::Exclamation, tr("Error!"));
        svc.program.endNow(1);
        return;
    }
    m_loaded = true;
}

bool frmPlinkard::LoadScores(const QString &FileName) {
    Files &files = m_forms.services.files;
    if (FileName.isEmpty() || !files.isRegularFile(FileName)) {
        return false;
    }
    // A file of any size costs the same: only the lines the table shows are read and kept.
    const auto content = files.readStart(FileName, ScoreFileBytesRead);
    if (!content) {
        return false;
    }
    m_forms.mod.ScoreLines << splitScoreLines(*content, ScoreFileLinesUsed);
    return true;
}

// ---------------------------------------------------------------- closing

void frmPlinkard::cmdExit_Click() { close(); }

void frmPlinkard::closeEvent(QCloseEvent *event) {
    int cancel = 0;
    Form_QueryUnload(cancel, 0);
    Form_Unload(cancel);
    event->accept();
}

void frmPlinkard::Form_QueryUnload(int & /*Cancel*/, int /*UnloadMode*/) {
    using namespace StoredSettings;
    SettingsStore &store = m_forms.services.store;
    // Unloaded, the settings window would only fill its boxes from the store to be read here.
    const bool loaded = m_forms.isSettingsLoaded();
    const QString music =
        loaded ? m_forms.settings().txtMidi->text() : musicFile(store, m_forms.services.files, m_forms.mod.AppFolder);
    const QString shot =
        loaded ? m_forms.settings().txtWave->text() : shotFile(store, m_forms.services.files, m_forms.mod.AppFolder);
    {
        const SettingsStore::Batch oneSave(store);
        store.write(App, Section, Midi, music);
        store.write(App, Section, Wave, shot);
        store.write(App, Section, MidiOnOff, QString::number(value(chkMusic)));
        store.write(App, Section, WaveOnOff, QString::number(value(chkSounds)));
    }

    if (m_forms.isSettingsLoaded()) {
        Forms::unload(&m_forms.settings());
    }
    if (m_forms.isScoresLoaded()) {
        Forms::unload(&m_forms.scores());
    }
    if (m_forms.isColorsLoaded()) {
        Forms::unload(&m_forms.colors());
    }
    if (m_forms.isNameLoaded()) {
        Forms::unload(&m_forms.name());
    }
}

void frmPlinkard::Form_Unload(int & /*Cancel*/) {
    m_unloading = true;
    m_forms.mod.StopMidi();
    for (Timer *t : timers()) {
        t->setEnabled(false);
    }
}

// ---------------------------------------------------------------- game flow

void frmPlinkard::cmdNew_Click() {
    for (QLabel *counter : {lblScore, lblMiss, lblTime, hour, minute, second}) {
        setCaption(counter, QStringLiteral("0"));
    }
    lblReload_Click();
    tmrWinScore->setEnabled(true);
    if (value(chkMusic) == 1) {
        m_forms.mod.StopMidi();
        m_forms.mod.PlayMidi(m_forms.settings().txtMidi->text());
    }
}

std::array<Timer *, 6> frmPlinkard::timers() const {
    return {tmrVeryEasy, tmrEasy, tmrHard, tmrVeryHard, tmrTime, tmrWinScore};
}

Timer *frmPlinkard::levelTimer(int Index) const {
    switch (Index) {
    case TooEasy:
        return tmrVeryEasy;
    case Easy:
        return tmrEasy;
    case Hard:
        return tmrHard;
    case TooHard:
        return tmrVeryHard;
    default:
        return nullptr;
    }
}

int frmPlinkard::selectedLevel() const {
    for (int i = 0; i < 4; ++i) {
        if (optLevel.at(static_cast<size_t>(i))->isChecked()) {
            return i;
        }
    }
    return -1;
}

void frmPlinkard::optLevel_Click(int Index) {
    if (levelTimer(Index) == nullptr) {
        return;
    }
    for (int level = TooEasy; level <= TooHard; ++level) {
        levelTimer(level)->setEnabled(level == Index);
    }
}

void frmPlinkard::picPicture_KeyDown(int KeyCode, int /*Shift*/) {
    if (KeyCode != F3) {
        return;
    }
    for (Timer *t : timers()) {
        if (t != tmrWinScore) { // the winning score's check runs on behind the pause
            t->setEnabled(false);
        }
    }
    // A window closed during the pause (the winning score's table) must not restart the clock behind the box.
    const bool wasPaused = std::exchange(m_paused, true);
    m_forms.services.messages.show(this, tr("Paused.  Press OK to continue."), MsgStyle::SystemModal, tr("Paused"));
    m_paused = wasPaused;
    resumeClockAndMotion();
}

void frmPlinkard::haltPlay() {
    if (value(chkMusic) == 1) {
        m_forms.mod.StopMidi();
    }
    for (Timer *t : timers()) {
        t->setEnabled(false);
    }
}

void frmPlinkard::resumePlay() {
    if (value(chkMusic) == 1) {
        m_forms.mod.PlayMidi(m_forms.settings().txtMidi->text());
    }
    tmrWinScore->setEnabled(true);
    resumeClockAndMotion();
}

void frmPlinkard::resumeClockAndMotion() {
    if (m_paused) {
        return;
    }
    tmrTime->setEnabled(true);
    // The level options are exclusive: at most one motion timer runs.
    if (const int level = selectedLevel(); level >= 0) {
        levelTimer(level)->setEnabled(true);
    }
}

void frmPlinkard::cmdSettings_Click() {
    haltPlay();
    // Cancel (or the close box) drops what the visit chose, the look applied by the colours window too.
    const Appearance before = m_appearance;
    if (m_forms.settings().exec() != QDialog::Accepted && m_appearance != before) {
        setAppearance(before);
    }
}

void frmPlinkard::cmdHigh_Click() {
    haltPlay();
    frmScores &table = m_forms.scores();
    table.fill(m_forms.mod.ScoreLines);
    table.exec();
}

void frmPlinkard::chkMusic_Click() {
    if (value(chkMusic) == 1) {
        m_forms.mod.PlayMidi(m_forms.settings().txtMidi->text());
    } else {
        m_forms.mod.StopMidi();
    }
}

bool frmPlinkard::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::MouseButtonRelease) {
        return QWidget::eventFilter(watched, event);
    }
    const auto entry = std::ranges::find(m_mouseUp, watched, &MouseUp::first);
    if (entry == m_mouseUp.end()) {
        return QWidget::eventFilter(watched, event);
    }
    // Taking the focus away before the button has seen its release would cancel the click,
    // so the mouse-up handler runs just after the release has been delivered. The handlers
    // read neither the button nor the position, so none is passed on.
    QMetaObject::invokeMethod(
        this,
        [control = QPointer<QObject>(watched), handler = entry->second] {
            if (control) {
                handler();
            }
        },
        Qt::QueuedConnection);
    return QWidget::eventFilter(watched, event);
}

// Every mouse-up on a panel control gives the focus back to the panel, where F3 is heard.
void frmPlinkard::cmdNew_MouseUp(int, int, float, float) { picPicture->setFocus(); }
void frmPlinkard::cmdSettings_MouseUp(int, int, float, float) { picPicture->setFocus(); }
void frmPlinkard::cmdHigh_MouseUp(int, int, float, float) { picPicture->setFocus(); }
void frmPlinkard::cmdExit_MouseUp(int, int, float, float) { picPicture->setFocus(); }
void frmPlinkard::chkMusic_MouseUp(int, int, float, float) { picPicture->setFocus(); }
void frmPlinkard::chkSounds_MouseUp(int, int, float, float) { picPicture->setFocus(); }
void frmPlinkard::optLevel_MouseUp(int, int, int, float, float) { picPicture->setFocus(); }

// ---------------------------------------------------------------- clock and winning score

void frmPlinkard::tmrTime_Timer() {
    GameClock clock{Decimal::parse(hour->text()).value_or(0), Decimal::parse(minute->text()).value_or(0),
                    Decimal::parse(second->text()).value_or(0)};
    clock.tick();
    setCaption(second, Decimal::format(clock.second));
    setCaption(minute, Decimal::format(clock.minute));
    setCaption(hour, Decimal::format(clock.hour));
    setCaption(lblTime, clock.text());
}

void frmPlinkard::tmrWinScore_Timer() {
    // A tick behind a start-up box would build the settings window from a half-made start.
    if (!m_loaded) {
        return;
    }
    frmSettings &settings = m_forms.settings();
    if (value(settings.chkWinScore) == 1) {
        return;
    }
    // An empty box means no winning score; any number of digits compares exactly.
    const auto order = Decimal::compare(lblScore->text(), settings.txtWinScore->text());
    if (!order || *order <= 0) {
        return;
    }
    const MsgResult answer =
        m_forms.services.messages.show(this, tr("You've reached the winning score!  Do you wish to keep playing?"),
                                       MsgStyle::YesNo + MsgStyle::Exclamation, tr("You made it!"));
    tmrWinScore->setEnabled(false);
    // A game lost to a penguin offers no entry: its box starts the new game.
    if (answer == MsgResult::No && !m_lost) {
        endGameAfterWinningScore();
    }
}

void frmPlinkard::endGameAfterWinningScore() {
    if (placeFor(tableFromLines(m_forms.mod.ScoreLines), lblScore->text())) {
        haltPlay();
        frmName &entry = m_forms.name();
        if (entry.exec() == QDialog::Accepted && m_forms.isScoresLoaded() && m_forms.scores().isVisible()) {
            // The table opened by the entry resumes play when it closes.
            QEventLoop wait;
            connect(&m_forms.scores(), &frmScores::unloaded, &wait, &QEventLoop::quit);
            wait.exec();
        } else {
            resumePlay();
        }
    }
    // The window may have been closed meanwhile: a new game would start the music again.
    if (!m_unloading) {
        cmdNew_Click();
    }
}
