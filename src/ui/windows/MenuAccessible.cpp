// The Options menu's check items as check boxes for assistive technology.
#include "windows/MenuAccessible.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QPointer>

#include "board/BoardAccessible.h"

namespace dyeland {
namespace {

// Qt's menu items report their check mark only while it is set, and Linux's bridge in Qt 6.4
// knows no "checkable" state, so an unchecked item sounds like a plain command. A check box is
// what the item is: a screen reader says "checked" or "not checked" of it.
class CheckItemAccessible : public LeafInterface, public QAccessibleActionInterface {
public:
    // Qt tells nobody of a new check mark, and a reader that keeps the old state would go on
    // saying it. A click toggles the mark up to three times; the reader hears the outcome once.
    explicit CheckItemAccessible(QAction* action) : action_(action), told_(action->isChecked()) {
        QObject::connect(
            action, &QAction::toggled, action,
            [this] {
                if (told_ == action_->isChecked()) return;
                told_ = action_->isChecked();
                QAccessible::State changed;
                changed.checked = true;
                QAccessibleStateChangeEvent event(action_, changed);
                QAccessible::updateAccessibility(&event);
            },
            Qt::QueuedConnection);
    }

    QMenu* Menu() const {
        for (QObject* owner : action_->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(owner)) return menu;
        return nullptr;
    }

    bool isValid() const override { return action_ && Menu(); }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return Menu()->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(Menu());
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? action_->text() : QString();
    }
    QRect rect() const override {
        const QRect local = Menu()->actionGeometry(action_);
        return QRect(Menu()->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.checkable = true;
        state.checked = action_->isChecked();
        state.disabled = !action_->isEnabled();
        state.invisible = !Menu()->isVisible();
        state.focusable = true;
        state.focused = Menu()->activeAction() == action_;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& name) override {
        if (name == toggleAction() && action_->isEnabled()) action_->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QAction> action_;
    bool told_;
};

QAccessibleInterface* MenuFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("QAction") && static_cast<QAction*>(object)->isCheckable())
        return new CheckItemAccessible(static_cast<QAction*>(object));
    return nullptr;
}

}  // namespace

void InstallMenuAccessible() {
    QAccessible::installFactory(MenuFactory);  // Qt keeps one of each, however often installed
}

}  // namespace dyeland
