// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class Forms;
class QLabel;
class QCheckBox;
class QRadioButton;
class QPushButton;
class ClickLabel;
class ImageControl;
class PictureBox;
class Timer;

// The main game window: the play field with its targets above the score panel. Its members are defined
// by concern: frmPlinkardControls.cpp (what it is made of), frmPlinkard.cpp (start-up and flow),
// frmPlinkardMotion.cpp, frmPlinkardShooting.cpp and frmPlinkardPaint.cpp (looks and placement).
class frmPlinkard final : public QWidget {
    Q_OBJECT
public:
    explicit frmPlinkard(Forms &forms);
    ~frmPlinkard() override;

    static constexpr uint32_t BackColor = 0x00E0DCA7;
    static constexpr uint32_t PanelColor = 0x00800000;
    static constexpr uint32_t PanelTextColor = 0x00FFFFFF;

    // Controls
    PictureBox *picPicture = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblScore = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lblMiss = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *lblTime = nullptr;
    QLabel *hour = nullptr;
    QLabel *minute = nullptr;
    QLabel *second = nullptr;
    ClickLabel *lblReload = nullptr;
    std::array<ImageControl *, 14> imgBullet{};
    std::array<QRadioButton *, 4> optLevel{};
    QCheckBox *chkMusic = nullptr;
    QCheckBox *chkSounds = nullptr;
    QPushButton *cmdNew = nullptr;
    QPushButton *cmdSettings = nullptr;
    QPushButton *cmdHigh = nullptr;
    QPushButton *cmdExit = nullptr;
    ClickLabel *lblFlash = nullptr;
    std::array<ImageControl *, 57> imgShoot{};

    Timer *tmrVeryEasy = nullptr;
    Timer *tmrEasy = nullptr;
    Timer *tmrHard = nullptr;
    Timer *tmrVeryHard = nullptr;
    Timer *tmrTime = nullptr;
    Timer *tmrWinScore = nullptr;

    // State
    std::vector<int16_t> colLefts;
    int16_t bulletsLeft = 14;
    int16_t easyShotCount = 0;

    // Window events
    void Form_Load();
    void Form_QueryUnload(int &Cancel, int UnloadMode);
    void Form_Unload(int &Cancel);
    void Form_Click();

    // Game flow
    void cmdNew_Click();
    void optLevel_Click(int Index);
    void picPicture_KeyDown(int KeyCode, int Shift);
    void cmdSettings_Click();
    void cmdHigh_Click();
    void cmdExit_Click();
    void chkMusic_Click();
    void cmdNew_MouseUp(int Button, int Shift, float X, float Y);
    void cmdSettings_MouseUp(int Button, int Shift, float X, float Y);
    void cmdHigh_MouseUp(int Button, int Shift, float X, float Y);
    void cmdExit_MouseUp(int Button, int Shift, float X, float Y);
    void chkMusic_MouseUp(int Button, int Shift, float X, float Y);
    void chkSounds_MouseUp(int Button, int Shift, float X, float Y);
    void optLevel_MouseUp(int Index, int Button, int Shift, float X, float Y);

    // Shooting, misses and reload
    void imgShoot_Click(int Index);
    void Reload();
    void lblReload_Click();
    void imgBullet_Click(int Index);
    void lblFlash_Click();

    // Motion, clock and winning score
    void tmrVeryEasy_Timer();
    void tmrEasy_Timer();
    void tmrHard_Timer();
    void tmrVeryHard_Timer();
    void tmrTime_Timer();
    void tmrWinScore_Timer();

    bool LoadScores(const QString &FileName);

    // Resumes play halted around a modal window when that window closes.
    void resumePlay();
    // The selected level's index, or -1.
    int selectedLevel() const;
    // The motion timer of a level (0..3).
    Timer *levelTimer(int Index) const;
    // The colours window's choices, for this run: field and panel colours and pictures, panel text.
    struct Appearance {
        uint32_t fieldColor = BackColor;
        QString fieldPicture;
        uint32_t panelColor = PanelColor;
        QString panelPicture;
        uint32_t panelTextColor = PanelTextColor;
        bool operator==(const Appearance &) const = default;
    };
    void setAppearance(const Appearance &look);
    // What is in force now: the load-time look until the colours window changes it.
    const Appearance &appearance() const { return m_appearance; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // All six: the four levels' motion, the clock and the winning score's check.
    std::array<Timer *, 6> timers() const;
    bool BeginShot();
    bool SpendAmmunition();
    // Halts play around a modal window.
    void haltPlay();
    void resumeClockAndMotion();
    void buildControls();
    void buildPanel();
    void nameControls();
    void motionTick(int hides);
    int drawTarget();
    void addToCaption(QLabel *label, int64_t delta);
    void endGameAfterWinningScore();

    std::vector<int16_t> colTops;
    Forms &m_forms;
    bool m_centred = false;
    // Set when Form_Load has finished.
    bool m_loaded = false;
    // Where the game stands in the window: not (0, 0) only while a compositor holds the
    // window larger than the game (a Wayland maximize), so the game is drawn in the middle.
    QPoint m_origin;
    QRect gameRect() const;
    bool m_unloading = false;
    bool m_paused = false; // the pause box is up
    bool m_lost = false;   // the penguin's box is up
    QPixmap m_fieldPicture;
    Appearance m_appearance;
    // The panel controls' mouse-up handlers, by control.
    using MouseUp = std::pair<QObject *, std::function<void()>>;
    std::vector<MouseUp> m_mouseUp;
};
