// SPDX-License-Identifier: MIT
#pragma once

#include "MessageBoxes.h"

class QtMessageBoxes final : public MessageBoxes {
public:
    MsgResult show(QWidget *owner, const QString &prompt, int style, const QString &title) override;
};
