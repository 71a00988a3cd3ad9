// SPDX-License-Identifier: MIT
#include "frmSettings.h"

#include "StoredSettings.h"
#include "frmColors.h"
#include "game/Forms.h"
#include "game/frmPlinkard.h"
#include "game/modPlinkard.h"
#include "game/rules/KeyFilter.h"
#include "platform/Controls.h"
#include "platform/FileDialogs.h"
#include "platform/ProgramControl.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <algorithm>
#include <climits>

namespace {
const QString NumericTag = QStringLiteral("N");

// Pasted or dropped text may bring in only what typing could.
class TagValidator final : public QValidator {
public:
    TagValidator(QString tag, QObject *parent) : QValidator(parent), m_tag(std::move(tag)) {}
    State validate(QString &input, int & /*pos*/) const override {
        return textPasses(input, m_tag) ? Acceptable : Invalid;
    }

private:
    QString m_tag;
};

// What a box takes from typing or pasting: the longest name the system can open, and a winning score
// of as many digits, which compares exactly like any other.
constexpr int TypedLimit = PATH_MAX;

// A stored value longer than that is held whole, so the game uses it and Exit writes it back as it was.
void showStored(QLineEdit *box, const QString &value) {
    box->setMaxLength(static_cast<int>(std::clamp<qsizetype>(value.size(), TypedLimit, INT_MAX)));
    box->setText(value);
}

} // namespace

frmSettings::frmSettings(Forms &forms, QWidget *owner) : FormDialog(forms, owner) {
    setWindowTitle(tr("Settings"));
    setFixedSize(px(4860), px(2400));
    setModal(true);
    // The game's face, a pixel smaller than in the main window: at 11 px the longest captions
    // outgrow the boxes the layout gives them.
    setFont(gameFont(10));

    Frame1 = new QGroupBox(this);
    Frame1->setGeometry(pxRect(45, -15, 4785, 2025));
    fraSounds = new QGroupBox(tr("Sounds"), Frame1);
    fraSounds->setGeometry(pxRect(90, 135, 4605, 1095));

    txtMidi = new QLineEdit(fraSounds);
    txtMidi->setGeometry(pxRect(660, 270, 2940, 285));
    Label[5] = buddyLabel(tr("&Music:"), fraSounds, pxRect(150, 315, 465, 195), txtMidi);
    cmdMusic = plainButton(tr("&Browse"), fraSounds, pxRect(3690, 240, 750, 330));
    cmdMusic->setAccessibleName(tr("Browse for the music"));

    txtWave = new QLineEdit(fraSounds);
    txtWave->setGeometry(pxRect(660, 675, 2940, 285));
    Label[4] = buddyLabel(tr("&Shoot:"), fraSounds, pxRect(135, 720, 465, 195), txtWave);
    cmdSound = plainButton(tr("Bro&wse"), fraSounds, pxRect(3690, 645, 750, 330));
    cmdSound->setAccessibleName(tr("Browse for the shot sound"));

    chkChgSpd = new QCheckBox(tr("Certain &icons change speed"), Frame1);
    chkChgSpd->setGeometry(pxRect(90, 1350, 2355, 270));
    chkChgSpd->setChecked(true);
    chkPoints = new QCheckBox(tr("&All icons are worth the same"), Frame1);
    chkPoints->setGeometry(pxRect(90, 1635, 2310, 270));
    chkPoints->setChecked(true);

    Frame2 = new QGroupBox(Frame1);
    Frame2->setGeometry(pxRect(2505, 1200, 2205, 750));
    chkWinScore = new QCheckBox(tr("No Winning &Score "), Frame2);
    chkWinScore->setGeometry(pxRect(90, 135, 1650, 270));
    txtWinScore = new QLineEdit(StoredSettings::DefaultWinningScore, Frame2);
    txtWinScore->setGeometry(pxRect(1200, 405, 930, 285));
    txtWinScore->setProperty("Tag", NumericTag);
    txtWinScore->setValidator(new TagValidator(NumericTag, txtWinScore));
    // A refused paste or drop sounds like a refused key.
    connect(txtWinScore, &QLineEdit::inputRejected, this, [this] { m_forms.services.program.beep(); });
    txtWinScore->installEventFilter(this);
    Label1 = buddyLabel(tr("Winning Sco&re:"), Frame2, pxRect(75, 450, 1095, 195), txtWinScore);

    cmdColors = plainButton(tr("C&olors"), this, pxRect(45, 2055, 795, 330));
    cmdOk = plainButton(tr("&Okay"), this, pxRect(3150, 2055, 795, 330));
    cmdNo = plainButton(tr("&Cancel"), this, pxRect(4020, 2055, 795, 330));

    for (QLineEdit *box : {txtMidi, txtWave, txtWinScore}) {
        box->setMaxLength(TypedLimit);
    }
    // A refused paste or drop, or a key past the limit, sounds like a refused key.
    for (QLineEdit *box : {txtMidi, txtWave}) {
        connect(box, &QLineEdit::inputRejected, this, [this] { m_forms.services.program.beep(); });
    }

    tabOrder({txtMidi, cmdMusic, txtWave, cmdSound, chkChgSpd, chkPoints, chkWinScore, txtWinScore, cmdColors, cmdOk,
              cmdNo});

    connect(chkWinScore, &QCheckBox::toggled, this, [this] { chkWinScore_Click(); });
    connect(cmdMusic, &QPushButton::clicked, this, [this] { cmdMusic_Click(); });
    connect(cmdSound, &QPushButton::clicked, this, [this] { cmdSound_Click(); });
    connect(cmdColors, &QPushButton::clicked, this, [this] { cmdColors_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdNo, &QPushButton::clicked, this, [this] { cmdNo_Click(); });
}

void frmSettings::readStore() {
    using namespace StoredSettings;
    SettingsStore &store = m_forms.services.store;
    showStored(txtMidi, musicFile(store, m_forms.services.files, m_forms.mod.AppFolder));
    showStored(txtWave, shotFile(store, m_forms.services.files, m_forms.mod.AppFolder));
    showStored(txtWinScore, winningScore(store.read(App, Section, WinningScore, DefaultWinningScore)));
    setValue(chkWinScore, checkValue(store.read(App, Section, WinScore, QStringLiteral("0")), 0));
    setValue(chkChgSpd, checkValue(store.read(App, Section, ChangeSpeed, QStringLiteral("1")), 1));
    setValue(chkPoints, checkValue(store.read(App, Section, ExtraPoints, QStringLiteral("1")), 1));
}

void frmSettings::Form_Load() { readStore(); }

void frmSettings::chkWinScore_Click() {
    if (value(chkWinScore) == 1) {
        txtWinScore->setEnabled(false);
    } else {
        txtWinScore->setEnabled(true);
        txtWinScore->setFocus();
    }
}

void frmSettings::FilterKey(QLineEdit *box, int &KeyAscii) {
    if (!keyPasses(KeyAscii, box->property("Tag").toString())) {
        m_forms.services.program.beep();
        KeyAscii = 0;
    }
}

void frmSettings::txtWinScore_KeyPress(int &KeyAscii) { FilterKey(txtWinScore, KeyAscii); }

bool frmSettings::eventFilter(QObject *watched, QEvent *event) {
    if (watched == txtWinScore && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        // Shortcuts (Ctrl+V, Ctrl+A ...) are not typed characters.
        if (text.size() == 1 && !key->modifiers().testFlag(Qt::ControlModifier)) {
            int code = text.at(0).unicode();
            txtWinScore_KeyPress(code);
            if (code == 0) {
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmSettings::cmdMusic_Click() {
    if (const auto file = m_forms.services.fileDialogs.openFile(
            this, tr("Select File"), tr("Midi Files") + QStringLiteral("|*.mid;*.rmi"), m_forms.mod.AppFolder)) {
        txtMidi->setText(*file);
    }
}

void frmSettings::cmdSound_Click() {
    if (const auto file = m_forms.services.fileDialogs.openFile(
            this, tr("Select File"), tr("Wave Files") + QStringLiteral("|*.wav"), m_forms.mod.AppFolder)) {
        txtWave->setText(*file);
    }
}

void frmSettings::cmdColors_Click() { m_forms.colors().exec(); }

void frmSettings::cmdOk_Click() {
    using namespace StoredSettings;
    // The canonical path keeps its case: these file systems tell "A" from "a".
    txtMidi->setText(m_forms.mod.ShortPath(txtMidi->text()));
    txtWave->setText(m_forms.mod.ShortPath(txtWave->text()));
    // Stored as it will read back: a score with anything but digits (typed above code 126) is the default.
    txtWinScore->setText(winningScore(txtWinScore->text()));
    SettingsStore &store = m_forms.services.store;
    {
        const SettingsStore::Batch oneSave(store);
        store.write(App, Section, Midi, txtMidi->text());
        store.write(App, Section, Wave, txtWave->text());
        store.write(App, Section, ChangeSpeed, QString::number(value(chkChgSpd)));
        store.write(App, Section, WinningScore, txtWinScore->text());
        store.write(App, Section, WinScore, QString::number(value(chkWinScore)));
        store.write(App, Section, ExtraPoints, QString::number(value(chkPoints)));
    }
    setResult(QDialog::Accepted);
    Forms::unload(this);
}

void frmSettings::cmdNo_Click() {
    readStore();
    Forms::unload(this);
}

void frmSettings::Form_QueryUnload(int & /*Cancel*/, int /*UnloadMode*/) {
    if (m_forms.isMainLoaded()) {
        m_forms.main().resumePlay();
    }
}
