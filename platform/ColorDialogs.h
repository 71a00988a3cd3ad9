// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

class QWidget;

class ColorDialogs {
public:
    virtual ~ColorDialogs() = default;
    // Colours are 0x00BBGGRR; the dialog starts from `current`. nullopt on cancel.
    virtual std::optional<uint32_t> chooseColor(QWidget *owner, const QString &title, uint32_t current) = 0;
};
