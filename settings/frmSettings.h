// SPDX-License-Identifier: MIT
#pragma once

#include "game/FormDialog.h"

#include <array>

class Forms;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The settings window, and the game's live copy of six stored settings: the game
// reads its controls directly, which creates it (hidden) when it is not loaded.
class frmSettings final : public FormDialog {
    Q_OBJECT
public:
    frmSettings(Forms &forms, QWidget *owner);

    QGroupBox *Frame1 = nullptr;
    QGroupBox *fraSounds = nullptr;
    std::array<QLabel *, 6> Label{}; // only 4 and 5 exist
    QLineEdit *txtMidi = nullptr;
    QPushButton *cmdMusic = nullptr;
    QLineEdit *txtWave = nullptr;
    QPushButton *cmdSound = nullptr;
    QCheckBox *chkChgSpd = nullptr;
    QCheckBox *chkPoints = nullptr;
    QGroupBox *Frame2 = nullptr;
    QCheckBox *chkWinScore = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtWinScore = nullptr;
    QPushButton *cmdColors = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdNo = nullptr;

    void Form_Load();
    void Form_QueryUnload(int &Cancel, int UnloadMode) override;
    void chkWinScore_Click();
    void txtWinScore_KeyPress(int &KeyAscii);
    void cmdMusic_Click();
    void cmdSound_Click();
    void cmdColors_Click();
    void cmdOk_Click();
    void cmdNo_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void readStore();
    // Refuses, with a beep, a printable character that is not a digit in a box tagged "N".
    void FilterKey(QLineEdit *box, int &KeyAscii);
};
