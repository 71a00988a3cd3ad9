// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

// On Wayland a maximized window must take the size the compositor configures, but Qt 6.4
// first clamps that size to the window's maximum and then acknowledges it: a fixed-size
// window answering a maximize (from Qt's own title bar, which offers the button whatever
// the flags say, or from a compositor shortcut) is a protocol error that ends the program.
// So the game's windows keep their minimum and drop their maximum there; the main window
// draws the game in the middle of whatever it is given.
class WaylandWindows final : public QObject {
public:
    // Watches every window of the application when it runs on Wayland; does nothing elsewhere.
    static void installIfWayland();
    // Lets a shown window grow; its own layout may have fixed it again while it was shown.
    static void unfix(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
