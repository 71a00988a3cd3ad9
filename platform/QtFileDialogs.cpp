// SPDX-License-Identifier: MIT
#include "QtFileDialogs.h"

#include <QFileDialog>
#include <QStringList>

QString QtFileDialogs::toQtFilter(const QString &filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        out << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> QtFileDialogs::openFile(QWidget *owner, const QString &title, const QString &filter,
                                               const QString &startFolder) {
    QFileDialog dialog(owner, title, startFolder, toQtFilter(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}
