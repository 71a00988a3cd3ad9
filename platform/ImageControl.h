// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QString>
#include <QWidget>

// An image control: shows an SVG picture scaled to its own size, rendered for the
// screen's pixel ratio so it stays sharp, and reports left-button presses as clicks.
class ImageControl final : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget *parent, const QString &picture = {});

    // How a screen reader presents it: a picture, or a button where clicking it is the point.
    QAccessible::Role accessibleRole() const { return m_role; }
    void setAccessibleRole(QAccessible::Role role) { m_role = role; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_picture;
    QAccessible::Role m_role = QAccessible::Graphic;
};
