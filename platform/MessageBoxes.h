// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

// Message-box styles are the sum of a button set, an icon and the modality flag.
namespace MsgStyle {
constexpr int OkOnly = 0;
constexpr int YesNo = 4;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int SystemModal = 4096;
} // namespace MsgStyle

// The button that answered a box.
enum class MsgResult { Ok = 1, Yes = 6, No = 7 };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Blocks until answered; timers keep ticking meanwhile.
    virtual MsgResult show(QWidget *owner, const QString &prompt, int style, const QString &title) = 0;
};
