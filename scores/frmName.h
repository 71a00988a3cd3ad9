#pragma once

#include <QDialog>

class Forms;
class QLabel;
class QLineEdit;
class QPushButton;

// Asks a player who has reached a high score for a name.
class frmName final : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxNameLength = 40;

    frmName(Forms &forms, QWidget *owner);

    QLabel *Label1 = nullptr;
    QLineEdit *txtName = nullptr;
    QPushButton *cmdOkay = nullptr;

    void cmdOkay_Click();

public slots:
    // Escape would hide the window and skip its closing steps; with no cancel button it does nothing.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Forms &m_forms;
};
