// SPDX-License-Identifier: MIT
#pragma once

#include "game/FormDialog.h"

#include <array>
#include <cstdint>

class Forms;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QFrame;

// Colours and background pictures for the play field and the score panel.
class frmColors final : public FormDialog {
    Q_OBJECT
public:
    frmColors(Forms &forms, QWidget *owner);

    QGroupBox *fraColors = nullptr;
    std::array<QLabel *, 7> Label{}; // 0 to 3 and 6 exist
    QLineEdit *txtBGImage = nullptr;
    QPushButton *cmdBGBrowse = nullptr;
    QPushButton *cmdBGColor = nullptr;
    QFrame *picBGColor = nullptr;
    QGroupBox *fraPanel = nullptr;
    QLineEdit *txtSBGImage = nullptr;
    QPushButton *cmdSBGBrowse = nullptr;
    QFrame *picSBGColor = nullptr;
    QPushButton *cmdSBGColor = nullptr;
    QFrame *picSFore = nullptr;
    QPushButton *cmdForeColor = nullptr;
    QPushButton *cmdOk = nullptr;
    QPushButton *cmdNo = nullptr;

    void cmdBGBrowse_Click();
    void cmdBGColor_Click();
    void cmdSBGBrowse_Click();
    void cmdSBGColor_Click();
    void cmdForeColor_Click();
    void cmdOk_Click();
    void cmdNo_Click();

    static uint32_t backColor(const QFrame *preview);
    static void setBackColor(QFrame *preview, uint32_t bgr);

private:
    void pickPicture(QLineEdit *box);
    void pickColor(QFrame *preview);

    // The one colour dialog's current colour, shared by the three colour buttons.
    uint32_t m_dialogColor = 0;
};
