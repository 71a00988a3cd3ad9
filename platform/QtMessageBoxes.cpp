#include "QtMessageBoxes.h"

#include <QMessageBox>

MsgResult QtMessageBoxes::show(QWidget *owner, const QString &prompt, int style, const QString &title) {
    // An owner not on screen yet (start-up) would pin the box to the screen's corner.
    QMessageBox box(owner != nullptr && owner->isVisible() ? owner : nullptr);
    box.setWindowTitle(title);
    box.setText(prompt);
    const int icon = style & 0x70;
    if (icon == MsgStyle::Exclamation) {
        box.setIcon(QMessageBox::Warning);
    } else if (icon == MsgStyle::Information) {
        box.setIcon(QMessageBox::Information);
    }
    const bool yesNo = (style & 0x7) == MsgStyle::YesNo;
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setWindowModality(Qt::ApplicationModal);
    if ((style & MsgStyle::SystemModal) != 0) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    const int answer = box.exec();
    if (!yesNo) {
        return MsgResult::Ok;
    }
    return answer == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
}
