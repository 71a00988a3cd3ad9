// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class Forms;

// A window of the game other than the main one. Closing it runs its query-unload handler,
// then the window is forgotten and freed; the next reference creates a fresh one.
class FormDialog : public QDialog {
    Q_OBJECT
public:
    FormDialog(Forms &forms, QWidget *owner);

    virtual void Form_QueryUnload(int &Cancel, int UnloadMode);

signals:
    // The window has closed and is being freed.
    void unloaded();

public slots:
    // QDialog's Escape would only hide the window and skip its closing steps, so Escape does
    // nothing; a Cancel button is clicked or reached by its access key.
    void reject() override {}

protected:
    void closeEvent(QCloseEvent *event) override;
    // Over the window on top of the game when it opens: the game's window, or a box waiting there (the pause).
    void showEvent(QShowEvent *event) override;

    Forms &m_forms;
};
