// SPDX-License-Identifier: MIT
#pragma once

#include <QFrame>
#include <QPixmap>

// A container with a background colour that can hold the focus and reports the key-down
// events it gets while it holds the focus, with key codes of the classic virtual-key table (F3 = 114).
class PictureBox final : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent);

    // Drawn at the top left over the background colour; a null picture shows none.
    void setPicture(const QPixmap &picture);

signals:
    void keyDown(int keyCode, int shift);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // Clicks on the panel never reach the play field behind it.
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    static int keyCode(int qtKey);
    // Shift state bits: 1 Shift, 2 Ctrl, 4 Alt.
    static int shiftState(Qt::KeyboardModifiers modifiers);
    QPixmap m_picture;
};
