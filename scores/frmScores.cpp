// SPDX-License-Identifier: MIT
#include "frmScores.h"

#include "frmName.h"
#include "game/Forms.h"
#include "game/frmPlinkard.h"
#include "game/rules/HighScoreTable.h"
#include "platform/Controls.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {
// Where the score column starts; names stay left of it.
constexpr int ScoreLeft = 3240;
constexpr int NameLeft = 90;

// A name too long for its column loses its middle, so the game time at its end stays in view.
// The caption keeps the whole name: entries move down by their captions.
class PlaceName final : public QLabel {
public:
    explicit PlaceName(QWidget *parent) : QLabel(parent) { setMaximumWidth(px(ScoreLeft - NameLeft) - 8); }

protected:
    void paintEvent(QPaintEvent * /*event*/) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect area = contentsRect();
        painter.drawText(area, static_cast<int>(alignment()),
                         fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
    }
};

QLabel *placeLabel(QLabel *label, const QString &text, int left, int top, Qt::Alignment align) {
    label->setFont(gameFont(13, true));
    label->setAlignment(align | Qt::AlignVCenter);
    label->move(px(left), px(top));
    setCaption(label, text);
    return label;
}
} // namespace

frmScores::frmScores(Forms &forms, QWidget *owner) : FormDialog(forms, owner) {
    setWindowTitle(tr("High Scores"));
    setFixedSize(px(4650), px(4425));
    setFont(gameFont(11));

    highscores = new QFrame(this);
    highscores->setFrameShape(QFrame::StyledPanel);
    highscores->setGeometry(pxRect(15, -60, 4620, 4080));

    Label1 = new QLabel(tr("High Scores"), highscores);
    Label1->setFont(gameFont(24));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setGeometry(pxRect(1335, 195, 1995, 435));

    for (int i = 0; i < PlaceCount; ++i) {
        const int top = 705 + 330 * i;
        lblScore.at(static_cast<size_t>(i)) =
            placeLabel(new QLabel(highscores), QStringLiteral("1000000000"), ScoreLeft, top, Qt::AlignRight);
        lblName.at(static_cast<size_t>(i)) =
            placeLabel(new PlaceName(highscores), QStringLiteral("Name %1").arg(i + 1), NameLeft, top, Qt::AlignLeft);
    }
    for (QLabel *first : {lblScore[0], lblName[0]}) {
        QPalette pal = first->palette();
        pal.setColor(QPalette::WindowText, QColor(0xFF, 0, 0));
        first->setPalette(pal);
    }

    cmdClose = plainButton(tr("&Close"), this, pxRect(2940, 4065, 795, 345));
    cmdClear = plainButton(tr("&Reset"), this, pxRect(3810, 4065, 795, 345));
    Command1 = plainButton(tr("Command1"), this, pxRect(945, 4140, 1110, 300));
    tabOrder({cmdClose, cmdClear, Command1});

    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void frmScores::fill(const QStringList &scoreLines) { showPlaces(tableFromLines(scoreLines)); }

void frmScores::showPlaces(const ScoreTable &table) {
    for (size_t i = 0; i < table.size(); ++i) {
        setCaption(lblScore.at(i), table.at(i).score);
        setCaption(lblName.at(i), table.at(i).name);
    }
}

void frmScores::InsertCurrentScore(const QString &NAME) {
    ScoreTable table;
    for (size_t i = 0; i < table.size(); ++i) {
        table.at(i) = {lblScore.at(i)->text(), lblName.at(i)->text()};
    }
    const frmPlinkard &game = m_forms.main();
    const QString entry = NAME + QStringLiteral(" (") + game.lblTime->text() + u')';
    if (insertScore(table, game.lblScore->text(), entry)) {
        showPlaces(table);
    }
}

void frmScores::cmdClose_Click() { Forms::unload(this); }

// Reset has no action on purpose: a click leaves the table and the score file as they are.
void frmScores::cmdClear_Click() {}

void frmScores::Command1_Click() { InsertCurrentScore(m_forms.name().txtName->text()); }

void frmScores::Form_QueryUnload(int & /*Cancel*/, int /*UnloadMode*/) {
    if (m_forms.isMainLoaded()) {
        m_forms.main().resumePlay();
    }
}
