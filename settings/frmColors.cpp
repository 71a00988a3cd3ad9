// SPDX-License-Identifier: MIT
#include "frmColors.h"

#include "game/Forms.h"
#include "game/frmPlinkard.h"
#include "game/modPlinkard.h"
#include "platform/BgrColor.h"
#include "platform/ColorDialogs.h"
#include "platform/Controls.h"
#include "platform/FileDialogs.h"
#include "platform/Services.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QFrame *preview(QWidget *parent, QRect where, uint32_t bgr) {
    auto *box = new QFrame(parent);
    box->setGeometry(where);
    box->setFrameShape(QFrame::Box);
    box->setAutoFillBackground(true);
    frmColors::setBackColor(box, bgr);
    return box;
}
} // namespace

frmColors::frmColors(Forms &forms, QWidget *owner) : FormDialog(forms, owner) {
    setWindowTitle(tr("Colors"));
    setFixedSize(px(4590), px(2805));
    setModal(true);
    // As in the settings window: at 11 px the labels lose their colons.
    setFont(gameFont(10));

    // Each opening starts from what the main window shows, so Okay changes only what is chosen.
    const frmPlinkard::Appearance look =
        m_forms.isMainLoaded() ? m_forms.main().appearance() : frmPlinkard::Appearance{};

    fraColors = new QGroupBox(this);
    fraColors->setGeometry(pxRect(30, -15, 4530, 1020));
    txtBGImage = new QLineEdit(fraColors);
    txtBGImage->setGeometry(pxRect(975, 255, 2625, 285));
    txtBGImage->setText(look.fieldPicture);
    txtBGImage->setAccessibleName(tr("The field's picture"));
    Label[2] = buddyLabel(tr("&BG Image:"), fraColors, pxRect(150, 300, 750, 195), txtBGImage);
    cmdBGBrowse = plainButton(tr("&Browse"), fraColors, pxRect(3675, 225, 750, 330));
    cmdBGBrowse->setAccessibleName(tr("Browse for the field's picture"));
    cmdBGColor = plainButton(tr("C&hoose"), fraColors, pxRect(2100, 600, 900, 315));
    cmdBGColor->setAccessibleName(tr("Choose the field's colour"));
    Label[0] = buddyLabel(tr("B&G Color:"), fraColors, pxRect(150, 660, 675, 195), cmdBGColor);
    picBGColor = preview(fraColors, pxRect(975, 615, 1035, 285), look.fieldColor);
    picBGColor->setAccessibleName(tr("The field's colour"));

    fraPanel = new QGroupBox(tr("Score Panel"), this);
    fraPanel->setGeometry(pxRect(30, 1020, 4530, 1395));
    txtSBGImage = new QLineEdit(fraPanel);
    txtSBGImage->setGeometry(pxRect(975, 255, 2625, 285));
    txtSBGImage->setText(look.panelPicture);
    txtSBGImage->setAccessibleName(tr("The panel's picture"));
    Label[3] = buddyLabel(tr("BG &Image:"), fraPanel, pxRect(150, 300, 750, 195), txtSBGImage);
    cmdSBGBrowse = plainButton(tr("Bro&wse"), fraPanel, pxRect(3675, 225, 750, 330));
    cmdSBGBrowse->setAccessibleName(tr("Browse for the panel's picture"));
    cmdSBGColor = plainButton(tr("Choos&e"), fraPanel, pxRect(2100, 600, 900, 315));
    cmdSBGColor->setAccessibleName(tr("Choose the panel's colour"));
    Label[6] = buddyLabel(tr("BG Co&lor:"), fraPanel, pxRect(150, 675, 675, 195), cmdSBGColor);
    picSBGColor = preview(fraPanel, pxRect(975, 630, 1035, 285), look.panelColor);
    picSBGColor->setAccessibleName(tr("The panel's colour"));
    cmdForeColor = plainButton(tr("Choo&se"), fraPanel, pxRect(2100, 990, 900, 315));
    cmdForeColor->setAccessibleName(tr("Choose the panel's text colour"));
    Label[1] = buddyLabel(tr("&Fore Color:"), fraPanel, pxRect(150, 1050, 765, 195), cmdForeColor);
    picSFore = preview(fraPanel, pxRect(975, 1005, 1035, 285), look.panelTextColor);
    picSFore->setAccessibleName(tr("The panel's text colour"));

    cmdOk = plainButton(tr("&Okay"), this, pxRect(2880, 2460, 795, 330));
    cmdNo = plainButton(tr("&Cancel"), this, pxRect(3750, 2460, 795, 330));

    tabOrder({txtBGImage, cmdBGBrowse, cmdBGColor, txtSBGImage, cmdSBGBrowse, cmdSBGColor, cmdForeColor, cmdOk, cmdNo});

    connect(cmdBGBrowse, &QPushButton::clicked, this, [this] { cmdBGBrowse_Click(); });
    connect(cmdBGColor, &QPushButton::clicked, this, [this] { cmdBGColor_Click(); });
    connect(cmdSBGBrowse, &QPushButton::clicked, this, [this] { cmdSBGBrowse_Click(); });
    connect(cmdSBGColor, &QPushButton::clicked, this, [this] { cmdSBGColor_Click(); });
    connect(cmdForeColor, &QPushButton::clicked, this, [this] { cmdForeColor_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdNo, &QPushButton::clicked, this, [this] { cmdNo_Click(); });
}

uint32_t frmColors::backColor(const QFrame *preview) { return toBgr(preview->palette().color(QPalette::Window)); }

void frmColors::setBackColor(QFrame *preview, uint32_t bgr) {
    QPalette pal = preview->palette();
    const QColor color = fromBgr(bgr);
    pal.setColor(QPalette::Window, color);
    preview->setPalette(pal);
    // What a screen reader says of the preview beside its name.
    preview->setAccessibleDescription(
        tr("red %1, green %2, blue %3").arg(color.red()).arg(color.green()).arg(color.blue()));
}

void frmColors::pickPicture(QLineEdit *box) {
    if (const auto file = m_forms.services.fileDialogs.openFile(
            this, tr("Select File"), tr("Graphics") + QStringLiteral("|*.gif;*.jpg;*.bmp;*.wmf;*.dib"),
            m_forms.mod.AppFolder)) {
        box->setText(*file);
    }
}

void frmColors::pickColor(QFrame *preview) {
    if (const auto color = m_forms.services.colorDialogs.chooseColor(this, tr("Choose Color"), m_dialogColor)) {
        m_dialogColor = *color;
        setBackColor(preview, *color);
    }
}

void frmColors::cmdBGBrowse_Click() { pickPicture(txtBGImage); }
void frmColors::cmdBGColor_Click() { pickColor(picBGColor); }
void frmColors::cmdSBGBrowse_Click() { pickPicture(txtSBGImage); }
void frmColors::cmdSBGColor_Click() { pickColor(picSBGColor); }
void frmColors::cmdForeColor_Click() { pickColor(picSFore); }

void frmColors::cmdOk_Click() {
    // The choices hold for this run only; nothing is stored.
    if (m_forms.isMainLoaded()) {
        m_forms.main().setAppearance({backColor(picBGColor), txtBGImage->text(), backColor(picSBGColor),
                                      txtSBGImage->text(), backColor(picSFore)});
    }
    Forms::unload(this);
}

void frmColors::cmdNo_Click() { Forms::unload(this); }
