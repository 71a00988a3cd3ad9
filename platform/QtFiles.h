// SPDX-License-Identifier: MIT
#pragma once

#include "Files.h"

class QtFiles final : public Files {
public:
    QString programFolder() override;
    bool isRegularFile(const QString &path) override;
    std::optional<QByteArray> readStart(const QString &path, qint64 maxBytes) override;
    QString existingPath(const QString &path) override;
};
