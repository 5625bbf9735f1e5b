#include "AccessibleMenuEntry.h"

#include <QAction>
#include <QMenu>

AccessibleMenuEntry::AccessibleMenuEntry(QAction* action) : QAccessibleObject(action)
{
}

QAccessibleInterface* AccessibleMenuEntry::Create(const QString&, QObject* object)
{
    auto* action = qobject_cast<QAction*>(object);
    if (action == nullptr || !action->text().isEmpty() || action->isSeparator() || action->menu() != nullptr)
        return nullptr;
    return new AccessibleMenuEntry(action);
}

QAction* AccessibleMenuEntry::action() const
{
    return static_cast<QAction*>(object());
}

QMenu* AccessibleMenuEntry::menu() const
{
    for (QObject* owner : action()->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner))
            return menu;
    }
    return nullptr;
}

QAccessibleInterface* AccessibleMenuEntry::parent() const
{
    return QAccessible::queryAccessibleInterface(menu());
}

QAccessibleInterface* AccessibleMenuEntry::child(int) const
{
    return nullptr;
}

int AccessibleMenuEntry::childCount() const
{
    return 0;
}

int AccessibleMenuEntry::indexOfChild(const QAccessibleInterface*) const
{
    return -1;
}

QString AccessibleMenuEntry::text(QAccessible::Text kind) const
{
    return kind == QAccessible::Name ? action()->property("accessibleName").toString() : QString();
}

QAccessible::Role AccessibleMenuEntry::role() const
{
    return QAccessible::MenuItem;
}

QAccessible::State AccessibleMenuEntry::state() const
{
    QAccessible::State state;
    const QMenu* owner = menu();
    state.invisible = owner == nullptr || !owner->isVisible() || !action()->isVisible();
    state.focused = owner != nullptr && owner->activeAction() == action();
    state.disabled = !action()->isEnabled();
    return state;
}

QRect AccessibleMenuEntry::rect() const
{
    const QMenu* owner = menu();
    return owner != nullptr ? owner->actionGeometry(action()).translated(owner->mapToGlobal(QPoint(0, 0))) : QRect();
}

QWindow* AccessibleMenuEntry::window() const
{
    const QMenu* owner = menu();
    return owner != nullptr ? owner->windowHandle() : nullptr;
}
