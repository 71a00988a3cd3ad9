// SPDX-License-Identifier: MIT
// The main window's shots: hits and misses, what they score, and the magazine with its reload.
#include "frmPlinkard.h"

#include "Forms.h"
#include "game/rules/Ammunition.h"
#include "game/rules/Decimal.h"
#include "game/rules/TargetRules.h"
#include "modPlinkard.h"
#include "platform/ClickLabel.h"
#include "platform/Controls.h"
#include "platform/ImageControl.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"
#include "settings/frmSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>

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
        lblReload->setText(tr("CLICK TO RELOAD"));
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
        m_forms.services.messages.show(this, tr("You loose!  Don't shoot the Linux Penguin!"), MsgStyle::Exclamation,
                                       tr("Oops!"));
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
