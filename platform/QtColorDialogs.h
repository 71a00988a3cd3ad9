// SPDX-License-Identifier: MIT
#pragma once

#include "ColorDialogs.h"

class QtColorDialogs final : public ColorDialogs {
public:
    std::optional<uint32_t> chooseColor(QWidget *owner, const QString &title, uint32_t current) override;
};
