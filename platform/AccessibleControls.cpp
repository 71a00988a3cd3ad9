// SPDX-License-Identifier: MIT
#include "AccessibleControls.h"

#include "ClickLabel.h"
#include "ImageControl.h"
#include "PictureBox.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace {
// A control the player clicks (a picture, the reload sign and prompt): its press action does what a
// click does, where a mouse could reach it.
class PressAccessible final : public QAccessibleWidget {
public:
    PressAccessible(QWidget *control, QAccessible::Role role) : QAccessibleWidget(control, role) {}

    // A picture's role is set after it is built, and may be asked before.
    QAccessible::Role role() const override {
        const auto *image = qobject_cast<const ImageControl *>(widget());
        return image != nullptr ? image->accessibleRole() : QAccessibleWidget::role();
    }

    // A label is named by its caption, as Qt's own labels are.
    QString text(QAccessible::Text t) const override {
        const auto *label = qobject_cast<const QLabel *>(widget());
        return t == QAccessible::Name && label != nullptr && label->accessibleName().isEmpty()
                   ? label->text()
                   : QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString &actionName) override {
        // Only what a mouse could reach: a shown control.
        if (actionName == pressAction() && widget()->isVisible()) {
            QMetaObject::invokeMethod(widget(), "clicked");
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *controlFactory(const QString &className, QObject *object) {
    if (className == QLatin1String("ImageControl")) {
        return new PressAccessible(static_cast<ImageControl *>(object), QAccessible::Graphic);
    }
    if (className == QLatin1String("ClickLabel")) {
        return new PressAccessible(static_cast<ClickLabel *>(object), QAccessible::StaticText);
    }
    if (className == QLatin1String("PictureBox")) {
        return new QAccessibleWidget(static_cast<PictureBox *>(object), QAccessible::Pane);
    }
    return nullptr;
}
} // namespace

void installAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(controlFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

ShownCountName::ShownCountName(QObject *parent, std::vector<QWidget *> members, QString one, QString many)
    : QObject(parent), m_members(std::move(members)), m_one(std::move(one)), m_many(std::move(many)) {
    for (QWidget *member : m_members) {
        member->installEventFilter(this);
    }
    rename();
}

int ShownCountName::shownCount() const {
    return static_cast<int>(
        std::count_if(m_members.begin(), m_members.end(), [](const QWidget *w) { return !w->isHidden(); }));
}

bool ShownCountName::eventFilter(QObject *watched, QEvent *event) {
    // The ...ToParent events come also while the window itself is not shown.
    // A reload shows fourteen members in one handler: name them once, after it.
    if ((event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) && !m_pending) {
        m_pending = true;
        QMetaObject::invokeMethod(this, &ShownCountName::rename, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void ShownCountName::rename() {
    m_pending = false;
    const int count = shownCount();
    const QString name = count == 1 ? m_one : m_many.arg(count);
    for (QWidget *member : m_members) {
        if (member->accessibleName() != name) {
            member->setAccessibleName(name);
        }
    }
}
