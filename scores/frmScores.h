// SPDX-License-Identifier: MIT
#pragma once

#include "game/FormDialog.h"
#include "game/rules/HighScoreTable.h"

#include <QStringList>
#include <array>

class Forms;
class QFrame;
class QLabel;
class QPushButton;

// The high-score table: ten places, each a score and a name.
class frmScores final : public FormDialog {
    Q_OBJECT
public:
    frmScores(Forms &forms, QWidget *owner);

    QFrame *highscores = nullptr;
    QLabel *Label1 = nullptr;
    std::array<QLabel *, PlaceCount> lblScore{};
    std::array<QLabel *, PlaceCount> lblName{};
    QPushButton *cmdClose = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *Command1 = nullptr;

    // The places from the score file's lines.
    void fill(const QStringList &scoreLines);
    // Enters the main window's score and game time under this name, if it qualifies.
    void InsertCurrentScore(const QString &NAME);

    void cmdClose_Click();
    void cmdClear_Click();
    void Command1_Click();
    void Form_QueryUnload(int &Cancel, int UnloadMode) override;

private:
    // Each place's score and name in its labels.
    void showPlaces(const ScoreTable &table);
};
