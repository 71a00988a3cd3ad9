#include "fakes/GameRig.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "scores/frmName.h"
#include "scores/frmScores.h"
#include "settings/frmColors.h"
#include "settings/frmSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString caption(const QWidget *c) {
    if (const auto *l = qobject_cast<const QLabel *>(c)) {
        return l->text();
    }
    if (const auto *b = qobject_cast<const QAbstractButton *>(c)) {
        return b->text();
    }
    if (const auto *g = qobject_cast<const QGroupBox *>(c)) {
        return g->title();
    }
    return {};
}

// Takes the shortcut events of buttons and boxes, so that a key reaching "&Okay" does not close the window.
struct ShortcutCatcher final : QObject {
    QList<QObject *> reached;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::Shortcut) {
            return false;
        }
        reached.append(watched);
        return true;
    }
};

QString shown(QString text) { return text.replace("&&", "\x01").remove('&').replace('\x01', '&'); }

// Places and sizes are whole twips made pixels, measured for another font: a pixel or two over is not a cut.
constexpr int Slack = 2;

// Whether the caption needs more room than the control has, with the control's own font.
bool cutOff(const QWidget *c) {
    const QString text = shown(caption(c));
    if (text.isEmpty()) {
        return false;
    }
    const QFontMetrics fm = c->fontMetrics();
    if (const auto *l = qobject_cast<const QLabel *>(c)) {
        const QRect room = l->contentsRect();
        return l->wordWrap() ? fm.boundingRect(room, Qt::TextWordWrap, text).height() > room.height()
                             : fm.horizontalAdvance(text) > room.width() + Slack;
    }
    if (qobject_cast<const QPushButton *>(c) != nullptr) {
        return fm.horizontalAdvance(text) + 4 > c->width();
    }
    if (const auto *b = qobject_cast<const QAbstractButton *>(c)) { // check and option boxes: box and text
        QStyleOptionButton option;
        option.initFrom(b);
        const bool radio = qobject_cast<const QRadioButton *>(b) != nullptr;
        const QRect room = b->style()->subElementRect(
            radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, b);
        return fm.horizontalAdvance(text) > room.width() + Slack;
    }
    return fm.horizontalAdvance(text) + 12 > c->width(); // a frame's title
}

// Catches a control placed outside its window, a caption that no longer fits, or an access key that
// is doubled (beyond `shared`) or reaches nothing: every control of the window is checked.
void checkWindow(QWidget &window, const QString &shared = {}) {
    const auto name = window.windowTitle().toStdString();
    window.show();
    QApplication::setActiveWindow(&window);
    QMap<QString, QList<QWidget *>> byKey;
    for (QWidget *c : window.findChildren<QWidget *>()) {
        if (!c->isVisibleTo(&window) ||
            !(qobject_cast<QLabel *>(c) || qobject_cast<QAbstractButton *>(c) || qobject_cast<QLineEdit *>(c) ||
              qobject_cast<QGroupBox *>(c) || qobject_cast<ImageControl *>(c))) {
            continue;
        }
        const QRect at(c->mapTo(&window, QPoint(0, 0)), c->size());
        const auto *frame = qobject_cast<QGroupBox *>(c);
        const bool bareFrame = frame != nullptr && frame->title().isEmpty(); // its top border sits above the window
        EXPECT_TRUE(bareFrame || window.rect().adjusted(-Slack, -Slack, Slack, Slack).contains(at))
            << name << " " << c->objectName().toStdString() << " " << at.x() << "," << at.y();
        EXPECT_FALSE(cutOff(c)) << name << " \"" << caption(c).toStdString() << "\"";
        const QKeySequence key = QKeySequence::mnemonic(caption(c));
        if (!key.isEmpty()) {
            byKey[key.toString()].append(c);
        }
    }
    ShortcutCatcher catcher;
    for (const QList<QWidget *> &controls : byKey) {
        for (QWidget *c : controls) {
            if (qobject_cast<QLabel *>(c) == nullptr) {
                c->installEventFilter(&catcher);
            }
        }
    }
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        EXPECT_TRUE(it.value().size() == 1 || shared.contains(it.key().back()))
            << name << " " << it.key().toStdString();
        for (QWidget *c : it.value()) {
            // Each press goes to the next control sharing the key; a label hands the focus to its box.
            catcher.reached.clear();
            QTest::keySequence(&window, QKeySequence(it.key()));
            const auto *label = qobject_cast<QLabel *>(c);
            const bool reached = label != nullptr ? label->buddy() != nullptr && label->buddy()->hasFocus()
                                                  : catcher.reached.size() == 1;
            EXPECT_TRUE(reached) << name << " " << caption(c).toStdString();
        }
    }
    window.hide();
}
} // namespace

TEST(Layout, EveryWindowHoldsItsControlsCaptionsAndKeys) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    checkWindow(w);
    checkWindow(rig.forms->settings(), "SO"); // "&Shoot:", "No Winning &Score " and "C&olors", "&Okay" as given
    checkWindow(rig.forms->colors(), "B");    // "&BG Image:" and "&Browse" as given
    checkWindow(rig.forms->scores());
    checkWindow(rig.forms->name());
}

// Catches a changed caption or client size, or the panel losing the focus at start (F3 is heard there only).
TEST(Layout, CaptionsSizeAndFocusAtStart) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    EXPECT_EQ(QStringList({w.windowTitle(), rig.forms->settings().windowTitle(), rig.forms->colors().windowTitle(),
                           rig.forms->scores().windowTitle(), rig.forms->name().windowTitle()}),
              QStringList({"Plinkard", "Settings", "Colors", "High Scores", "High Score!"}));
    EXPECT_EQ(w.size(), QSize(376, 322));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), w.picPicture);
}
