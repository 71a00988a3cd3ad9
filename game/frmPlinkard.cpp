// SPDX-License-Identifier: MIT
#include "frmPlinkard.h"

#include "Forms.h"
#include "game/rules/Ammunition.h"
#include "game/rules/Decimal.h"
#include "game/rules/GameClock.h"
#include "game/rules/HighScoreTable.h"
#include "game/rules/Level.h"
#include "game/rules/ScoreFile.h"
#include "game/rules/TargetRules.h"
#include "modPlinkard.h"
#include "platform/BgrColor.h"
#include "platform/ClickLabel.h"
#include "platform/Controls.h"
#include "platform/Files.h"
#include "platform/ImageControl.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureBox.h"
#include "platform/ProgramControl.h"
#include "platform/RandomSource.h"
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
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QScreen>
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
        svc.messages.show(this, QStringLiteral("Your system cannot play sounds."), MsgStyle::Information,
                          QStringLiteral("Sound Test"));
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
        mod.PlayMidi(musicFile(svc.store, appFolder));
    }

    // The reload sign waits in the middle of the field.
    lblFlash->move(m_origin + QPoint(px(2040), px(1620)));

    // Without its score file the game does not run.
    if (!LoadScores(folder + QStringLiteral("/scores.dat"))) {
        svc.messages.show(
            this,
            QStringLiteral("Error!  ") + QStringLiteral("scores.dat") +
                QStringLiteral(" was not found.  Plinkard high scores will not operate with out this file."),
            MsgStyle::Exclamation, QStringLiteral("Error!"));
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

void frmPlinkard::showEvent(QShowEvent *event) {
    if (!m_centred) {
        m_centred = true;
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        picPicture->setFocus();
    }
    QWidget::showEvent(event);
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
    const QString music = loaded ? m_forms.settings().txtMidi->text() : musicFile(store, m_forms.mod.AppFolder);
    const QString shot = loaded ? m_forms.settings().txtWave->text() : shotFile(store, m_forms.mod.AppFolder);
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
    for (Timer *t : {tmrTime, tmrWinScore, tmrHard, tmrEasy, tmrVeryEasy, tmrVeryHard}) {
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
    for (Timer *t : {tmrTime, tmrHard, tmrEasy, tmrVeryEasy, tmrVeryHard}) {
        t->setEnabled(false);
    }
    // A window closed during the pause (the winning score's table) must not restart the clock behind the box.
    const bool wasPaused = std::exchange(m_paused, true);
    m_forms.services.messages.show(this, QStringLiteral("Paused.  Press OK to continue."), MsgStyle::SystemModal,
                                   QStringLiteral("Paused"));
    m_paused = wasPaused;
    resumeClockAndMotion();
}

void frmPlinkard::haltPlay() {
    if (value(chkMusic) == 1) {
        m_forms.mod.StopMidi();
    }
    for (Timer *t : {tmrTime, tmrWinScore, tmrHard, tmrEasy, tmrVeryEasy, tmrVeryHard}) {
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
    // Taking the focus away before the button has seen its release would cancel the click,
    // so the mouse-up handler runs just after the release has been delivered. The handlers
    // read neither the button nor the position, so none is passed on.
    QMetaObject::invokeMethod(
        this,
        [this, control = QPointer<QObject>(watched)] {
            if (control == cmdNew) {
                cmdNew_MouseUp(0, 0, 0, 0);
            } else if (control == cmdSettings) {
                cmdSettings_MouseUp(0, 0, 0, 0);
            } else if (control == cmdHigh) {
                cmdHigh_MouseUp(0, 0, 0, 0);
            } else if (control == cmdExit) {
                cmdExit_MouseUp(0, 0, 0, 0);
            } else if (control == chkMusic) {
                chkMusic_MouseUp(0, 0, 0, 0);
            } else if (control == chkSounds) {
                chkSounds_MouseUp(0, 0, 0, 0);
            } else {
                for (int i = 0; i < 4; ++i) {
                    if (control == optLevel.at(static_cast<size_t>(i))) {
                        optLevel_MouseUp(i, 0, 0, 0, 0);
                    }
                }
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

// ---------------------------------------------------------------- shooting

void frmPlinkard::addToCaption(QLabel *label, int64_t delta) {
    // A caption that is not a number, or a sum that would overflow, leaves it as it is.
    if (const auto sum = Decimal::add(label->text(), delta)) {
        setCaption(label, *sum);
    }
}

bool frmPlinkard::BeginShot() {
    modPlinkard &mod = m_forms.mod;
    if (bulletsLeft == 0) {
        mod.PlayWave(mod.AppFolder + QStringLiteral("miss.wav"));
        return false;
    }
    if (value(chkSounds) == 1) {
        mod.PlayWave(m_forms.settings().txtWave->text());
    }
    return true;
}

bool frmPlinkard::SpendAmmunition() {
    const ShotSpent spent = spendAmmunition(selectedLevel(), bulletsLeft, easyShotCount);
    for (int i = 0; i < spent.hiddenCount; ++i) {
        imgBullet.at(static_cast<size_t>(spent.hiddenBullets.at(static_cast<size_t>(i))))->hide();
    }
    if (spent.emptied) {
        lblFlash->show();
        lblReload->setText(QStringLiteral("CLICK TO RELOAD"));
    }
    return spent.goOn;
}

void frmPlinkard::imgShoot_Click(int Index) {
    if (Index < 0 || Index >= TargetCount || !BeginShot()) {
        return;
    }
    imgShoot.at(static_cast<size_t>(Index))->hide();
    addToCaption(lblScore, 100);
    if (!SpendAmmunition()) {
        return;
    }
    if (value(m_forms.settings().chkChgSpd) != 1) {
        return;
    }
    if (const auto level = speedLevelFor(Index)) {
        optLevel.at(static_cast<size_t>(*level))->setChecked(true);
    }
    if (value(m_forms.settings().chkPoints) != 1) {
        return;
    }
    if (const int64_t bonus = bonusFor(Index); bonus != 0) {
        addToCaption(lblScore, bonus);
    }
    if (isPenguin(Index)) {
        m_lost = true;
        m_forms.services.messages.show(this, QStringLiteral("You loose!  Don't shoot the Linux Penguin!"),
                                       MsgStyle::Exclamation, QStringLiteral("Oops!"));
        m_lost = false;
        cmdNew_Click();
    }
}

void frmPlinkard::mousePressEvent(QMouseEvent *event) {
    // Around a game drawn in the middle of a larger window there is nothing to miss.
    if (event->button() == Qt::LeftButton && gameRect().contains(event->position().toPoint())) {
        Form_Click();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void frmPlinkard::Form_Click() {
    if (!BeginShot()) {
        return;
    }
    addToCaption(lblMiss, 1);
    addToCaption(lblScore, -95);
    SpendAmmunition();
}

void frmPlinkard::Reload() {
    bulletsLeft = MagazineSize;
    for (ImageControl *bullet : imgBullet) {
        bullet->show();
    }
    lblReload->setText(QString());
    lblFlash->hide();
}

void frmPlinkard::lblReload_Click() { Reload(); }

void frmPlinkard::imgBullet_Click(int /*Index*/) { Reload(); }

void frmPlinkard::lblFlash_Click() {
    Reload();
    lblFlash->hide();
}

// ---------------------------------------------------------------- motion

int frmPlinkard::drawTarget() {
    const auto u = static_cast<double>(m_forms.services.random.next());
    return std::clamp(static_cast<int>(u * MotionTargetCount + 1), 1, MotionTargetCount);
}

void frmPlinkard::motionTick(int hides) {
    auto &random = m_forms.services.random;
    targetIndex = drawTarget();
    imgShoot.at(static_cast<size_t>(targetIndex))->show();
    for (int i = 0; i < hides; ++i) {
        targetIndex = drawTarget();
        imgShoot.at(static_cast<size_t>(targetIndex))->hide();
    }
    // Until Form_Load has filled the grid (its start-up boxes let ticks run) there is no cell to
    // move to, and a target moved to a failed draw's empty place would stand off the grid.
    if (colLefts.empty() || colTops.empty()) {
        return;
    }
    auto draw = [&random](const std::vector<int16_t> &list) {
        const auto n = list.size();
        return list[std::min(static_cast<size_t>(static_cast<double>(random.next()) * static_cast<double>(n)), n - 1)];
    };
    nextLeft = draw(colLefts);
    nextTop = draw(colTops);
    imgShoot.at(static_cast<size_t>(targetIndex))->move(m_origin + QPoint(px(nextLeft), px(nextTop)));
}

void frmPlinkard::tmrVeryEasy_Timer() { motionTick(1); }
void frmPlinkard::tmrEasy_Timer() { motionTick(6); }
void frmPlinkard::tmrHard_Timer() { motionTick(7); }
void frmPlinkard::tmrVeryHard_Timer() { motionTick(7); }

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
    const MsgResult answer = m_forms.services.messages.show(
        this, QStringLiteral("You've reached the winning score!  Do you wish to keep playing?"),
        MsgStyle::YesNo + MsgStyle::Exclamation, QStringLiteral("You made it!"));
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

// ---------------------------------------------------------------- appearance

void frmPlinkard::setAppearance(const Appearance &look) {
    m_appearance = look;
    QPalette field = palette();
    field.setColor(QPalette::Window, fromBgr(look.fieldColor));
    setPalette(field);
    // A picture that cannot be read shows nothing, as an empty path does.
    m_fieldPicture = PictureBox::fromFile(look.fieldPicture);
    QPalette panel = picPicture->palette();
    panel.setColor(QPalette::Window, fromBgr(look.panelColor));
    panel.setColor(QPalette::WindowText, fromBgr(look.panelTextColor));
    picPicture->setPalette(panel);
    picPicture->setPicture(PictureBox::fromFile(look.panelPicture));
    update();
}

void frmPlinkard::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    if (!m_origin.isNull()) { // the room a compositor gave beyond the game's own size
        for (const QRect &band : QRegion(rect()).subtracted(gameRect())) {
            painter.fillRect(band, Qt::black);
        }
    }
    if (!m_fieldPicture.isNull()) {
        painter.drawPixmap(m_origin, m_fieldPicture);
    }
    QWidget::paintEvent(event);
}

QRect frmPlinkard::gameRect() const { return {m_origin, minimumSize()}; }

void frmPlinkard::resizeEvent(QResizeEvent *event) {
    const QPoint origin(std::max(0, (width() - minimumWidth()) / 2), std::max(0, (height() - minimumHeight()) / 2));
    if (origin != m_origin) {
        const QPoint shift = origin - m_origin;
        m_origin = origin;
        for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow()) { // the dialogs it owns stay where they are
                child->move(child->pos() + shift);
            }
        }
        update();
    }
    QWidget::resizeEvent(event);
}
