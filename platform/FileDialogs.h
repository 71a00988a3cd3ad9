// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <optional>

class QWidget;

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filter is "Description|*.a;*.b"; the chosen file must exist. nullopt on cancel.
    virtual std::optional<QString> openFile(QWidget *owner, const QString &title, const QString &filter,
                                            const QString &startFolder) = 0;
};
