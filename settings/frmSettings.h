#pragma once

#include <QDialog>
#include <array>

class Forms;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The settings window, and the game's live copy of six stored settings: the game
// reads its controls directly, which creates it (hidden) when it is not loaded.
class frmSettings final : public QDialog {
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
    void Form_QueryUnload(int &Cancel, int UnloadMode);
    void chkWinScore_Click();
    void txtWinScore_KeyPress(int &KeyAscii);
    void cmdMusic_Click();
    void cmdSound_Click();
    void cmdColors_Click();
    void cmdOk_Click();
    void cmdNo_Click();

    // Refuses, with a beep, a printable character that is not a digit in a box tagged "N".
    void FilterKey(QLineEdit *box, int &KeyAscii);

public slots:
    // QDialog's Escape would only hide the window and skip its closing steps; with no
    // cancel button the window ignores it, as the high-score window does.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ReadStore();

    Forms &m_forms;
};
