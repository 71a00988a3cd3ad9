// SPDX-License-Identifier: MIT
#pragma once

#include "game/FormDialog.h"

class Forms;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks a player who has reached a high score for a name.
class frmName final : public FormDialog {
    Q_OBJECT
public:
    frmName(Forms &forms, QWidget *owner);

    QLabel *Label1 = nullptr;
    QLineEdit *txtName = nullptr;
    QPushButton *cmdOkay = nullptr;

    void cmdOkay_Click();
};
