// SPDX-License-Identifier: MIT
#include "AccessibleControls.h"

#include "ImageControl.h"
#include "PictureBox.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace {
// A picture the player can click: its press action does what a click does.
class ImageAccessible final : public QAccessibleWidget {
public:
    explicit ImageAccessible(ImageControl *image) : QAccessibleWidget(image, image->accessibleRole()) {}

    QAccessible::Role role() const override { return image()->accessibleRole(); }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString &actionName) override {
        // Only what a mouse could reach: a shown picture.
        if (actionName == pressAction() && image()->isVisible()) {
            emit image()->clicked();
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

private:
    ImageControl *image() const { return static_cast<ImageControl *>(widget()); }
};

QAccessibleInterface *controlFactory(const QString &className, QObject *object) {
    if (className == QLatin1String("ImageControl")) {
        return new ImageAccessible(static_cast<ImageControl *>(object));
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
