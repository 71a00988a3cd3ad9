// SPDX-License-Identifier: MIT
#include "frmName.h"

#include "frmScores.h"
#include "game/Forms.h"
#include "game/modPlinkard.h"
#include "platform/Controls.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int MaxNameLength = 40;
}

frmName::frmName(Forms &forms, QWidget *owner) : FormDialog(forms, owner) {
    setWindowTitle(tr("High Score!"));
    setFixedSize(px(3315), px(1245));
    setModal(true);

    Label1 = new QLabel(tr("You have gotten a High Score!  Enter your name below:"), this);
    Label1->setFont(gameFont(13, true));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    Label1->setGeometry(pxRect(60, 30, 3285, 495));

    txtName = new QLineEdit(this);
    txtName->setGeometry(pxRect(75, 555, 3135, 300));
    txtName->setMaxLength(MaxNameLength);
    // A screen reader reads the label's request as the box's name.
    Label1->setBuddy(txtName);

    cmdOkay = new QPushButton(tr("Okay"), this);
    cmdOkay->setGeometry(pxRect(1230, 885, 855, 345));
    cmdOkay->setDefault(true);
    setTabOrder(txtName, cmdOkay);
    connect(cmdOkay, &QPushButton::clicked, this, [this] { cmdOkay_Click(); });
}

void frmName::cmdOkay_Click() {
    // A table not open yet is filled from the score file first, not left at its placeholders.
    const bool fresh = !m_forms.isScoresLoaded();
    frmScores &table = m_forms.scores();
    if (fresh) {
        table.fill(m_forms.mod.ScoreLines);
    }
    table.InsertCurrentScore(txtName->text());
    // Play stays halted behind the table, as when High Scores opens it. This dialog stays
    // loaded, hidden, until the table closes: the table's Command1 reads the typed name.
    connect(&table, &frmScores::unloaded, this, [this] { Forms::unload(this); });
    // Hidden first, so the table opens over whatever this dialog was over (the pause box) and not over a
    // window about to go.
    accept();
    table.setModal(true);
    table.show();
}
