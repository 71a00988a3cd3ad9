// SPDX-License-Identifier: MIT
#pragma once

#include "FileDialogs.h"

class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(QWidget *owner, const QString &title, const QString &filter,
                                    const QString &startFolder) override;
    // "Midi Files|*.mid;*.rmi" -> "Midi Files (*.mid *.rmi)"
    static QString toQtFilter(const QString &filter);
};
