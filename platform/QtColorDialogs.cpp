// SPDX-License-Identifier: MIT
#include "QtColorDialogs.h"

#include "BgrColor.h"

#include <QColorDialog>

std::optional<uint32_t> QtColorDialogs::chooseColor(QWidget *owner, const QString &title, uint32_t current) {
    QColorDialog dialog(fromBgr(current), owner);
    dialog.setWindowTitle(title);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return toBgr(dialog.selectedColor());
}
