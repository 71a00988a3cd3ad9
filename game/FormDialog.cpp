// SPDX-License-Identifier: MIT
#include "FormDialog.h"

#include "Forms.h"
#include "platform/WindowPlacement.h"

#include <QCloseEvent>

FormDialog::FormDialog(Forms &forms, QWidget *owner) : QDialog(owner), m_forms(forms) {}

void FormDialog::Form_QueryUnload(int & /*Cancel*/, int /*UnloadMode*/) {}

void FormDialog::closeEvent(QCloseEvent *event) {
    int cancel = 0;
    Form_QueryUnload(cancel, 0);
    event->accept();
    m_forms.release(this);
    emit unloaded();
}

void FormDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    WindowPlacement::placeOver(this, WindowPlacement::ownerOnTop(parentWidget(), this));
}
