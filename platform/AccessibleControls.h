// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QWidget;

// Lets screen readers see our own controls as what they are (pictures, buttons, the panel), with
// the press action of a click where the player clicks them, instead of blank fillers. Safe to call
// more than once.
void installAccessibleControls();

// Names every member of a group after how many members are shown, for example "14 bullets left",
// so a screen reader tells the count on whichever member it lands.
class ShownCountName final : public QObject {
public:
    // `many` holds %1 for the count.
    ShownCountName(QObject *parent, std::vector<QWidget *> members, QString one, QString many);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int shownCount() const;
    void rename();

    std::vector<QWidget *> m_members;
    QString m_one;
    QString m_many;
    bool m_pending = false;
};
