// The menu bar's menus and their items for assistive technology.
#include "windows/MenuAccessible.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>

#include "board/BoardAccessible.h"

namespace dyeland {
namespace {

// An item of a menu of the menu bar: a command, a separator, or a check item. Qt's own items
// report a check mark only while it is set, so an unchecked one sounds like a plain command. A
// check box is what a check item is: a screen reader says "checked" or "not checked" of it.
class ItemAccessible : public LeafInterface, public QAccessibleActionInterface {
public:
    // Qt tells nobody of a new check mark, and a reader that keeps the old state would go on
    // saying it. A click toggles the mark up to three times; the reader hears the outcome once.
    ItemAccessible(QMenu* menu, QAction* action)
        : menu_(menu), action_(action), told_(action->isChecked()) {
        if (!action->isCheckable()) return;
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

    bool isValid() const override { return menu_ && action_; }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return menu_->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(menu_);
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? action_->text() : QString();
    }
    QRect rect() const override {
        const QRect local = menu_->actionGeometry(action_);
        return QRect(menu_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override {
        if (action_->isSeparator()) return QAccessible::Separator;
        return action_->isCheckable() ? QAccessible::CheckBox : QAccessible::MenuItem;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.checkable = action_->isCheckable();
        state.checked = action_->isChecked();
        state.disabled = action_->isSeparator() || !action_->isEnabled();
        state.invisible = !menu_->isVisible() || !action_->isVisible();
        state.focusable = !action_->isSeparator();
        state.focused = menu_->activeAction() == action_;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override {
        if (action_->isSeparator()) return {};
        return {action_->isCheckable() ? toggleAction() : pressAction()};
    }
    void doAction(const QString& name) override {
        if (actionNames().contains(name) && action_->isEnabled()) action_->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QMenu> menu_;
    QPointer<QAction> action_;
    bool told_;
};

// Made once for each action, and kept by Qt until the action goes.
QAccessibleInterface* ItemOf(QMenu* menu, QAction* action) {
    if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(action)) return known;
    auto* item = new ItemAccessible(menu, action);
    QAccessible::registerAccessibleInterface(item);
    return item;
}

// A menu of the menu bar, named by its title. Qt's own menu finds the place of its commands and
// separators only: it gives a check box none, and a screen reader takes an item without a place
// for one that is gone and says nothing of it.
class MenuAccessible : public QAccessibleWidget {
public:
    explicit MenuAccessible(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

    QMenu* Menu() const { return static_cast<QMenu*>(widget()); }
    QMenuBar* Bar() const { return qobject_cast<QMenuBar*>(Menu()->parent()); }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? Menu()->title() : QAccessibleWidget::text(t);
    }
    int childCount() const override { return static_cast<int>(Menu()->actions().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QAction*> actions = Menu()->actions();
        return index >= 0 && index < actions.size() ? ItemOf(Menu(), actions.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        auto* action = qobject_cast<QAction*>(child->object());
        return action ? static_cast<int>(Menu()->actions().indexOf(action)) : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        QAction* action = Menu()->actionAt(Menu()->mapFromGlobal(QPoint(x, y)));
        return action && !action->isSeparator() ? ItemOf(Menu(), action) : nullptr;
    }
    // The menu bar's item that opens it, as Qt's menus have it.
    QAccessibleInterface* parent() const override {
        const auto place = static_cast<int>(Bar()->actions().indexOf(Menu()->menuAction()));
        return QAccessible::queryAccessibleInterface(Bar())->child(place);
    }
};

QAccessibleInterface* MenuFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QMenu")) return nullptr;
    auto* menu = static_cast<QMenu*>(object);
    auto* bar = qobject_cast<QMenuBar*>(menu->parent());
    return bar && bar->actions().contains(menu->menuAction()) ? new MenuAccessible(menu) : nullptr;
}

// Going from one menu to the next, Qt's menu bar gives the focus back to the window's control
// for a moment, with the next menu already open: a screen reader would say "Board." over the
// menu. While a menu is open, news that another control has the focus is not passed on; once the
// menus close, the control that has the focus says so itself.
// Qt then tells of the menu bar's item and at once of the next menu's first item, and screen
// readers drop the first of two such news, so the menu's name would go unsaid. The first item's
// news waits until the reader has taken the menu bar's item: "Options.", then the item. What
// Orca 43 and 48 were seen doing is in docs/desktop-notes.md.
QAccessible::UpdateHandler passOn = nullptr;  // the handler before this one; none: the bridge
constexpr int BarItemThenItemMs = 100;        // the item's news follows the bar item's at once
constexpr int FirstItemWaitMs = 250;
QElapsedTimer barItemTold;  // since the menu bar's item was told
int focusNews = 0;          // counts them: a later one outdates the item that waits

void PassOn(QAccessibleEvent* event);

bool HoldBackTheFirstItem(QAccessibleEvent* event) {
    if (event->type() != QAccessible::Focus) return false;
    ++focusNews;
    if (qobject_cast<QMenuBar*>(event->object())) barItemTold.start();
    auto* menu = qobject_cast<QMenu*>(event->object());
    if (!menu || event->child() < 0 || !barItemTold.isValid() ||
        barItemTold.elapsed() > BarItemThenItemMs || QApplication::activePopupWidget() != menu)
        return false;
    barItemTold.invalidate();
    QTimer::singleShot(FirstItemWaitMs, menu, [menu, child = event->child(), held = focusNews] {
        if (held != focusNews || QApplication::activePopupWidget() != menu) return;
        QAccessibleEvent focus(menu, QAccessible::Focus);
        focus.setChild(child);
        PassOn(&focus);
    });
    return true;
}

void PassOnUnlessBehindAMenu(QAccessibleEvent* event) {
    if (event->type() == QAccessible::Focus &&
        qobject_cast<QMenu*>(QApplication::activePopupWidget()) &&
        !qobject_cast<QMenu*>(event->object()) && !qobject_cast<QMenuBar*>(event->object()))
        return;
    if (!HoldBackTheFirstItem(event)) PassOn(event);
}

void PassOn(QAccessibleEvent* event) {
    if (passOn) {
        passOn(event);
        return;
    }
    QAccessible::installUpdateHandler(nullptr);  // the platform's bridge takes it from here
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(PassOnUnlessBehindAMenu);
}

}  // namespace

void InstallMenuAccessible() {
    QAccessible::installFactory(MenuFactory);  // Qt keeps one of each, however often installed
    const QAccessible::UpdateHandler before =
        QAccessible::installUpdateHandler(PassOnUnlessBehindAMenu);
    if (before != PassOnUnlessBehindAMenu) passOn = before;
}

}  // namespace dyeland
