// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

// A label with a click event (left-button press), sizing itself to its caption unless fixed.
class ClickLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
