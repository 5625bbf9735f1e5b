#include "AccessibleControl.h"

#include "BevelPanel.h"
#include "ShapeWidget.h"

AccessibleControl::AccessibleControl(QWidget* widget, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
{
}

// Qt asks for each class of the object in turn, most derived first: the object itself
// tells what it is.
QAccessibleInterface* AccessibleControl::Create(const QString&, QObject* object)
{
    if (auto* shape = qobject_cast<ShapeWidget*>(object))
        return new AccessibleControl(shape, QAccessible::Graphic);
    auto* panel = qobject_cast<BevelPanel*>(object);
    if (panel == nullptr)
        return nullptr;
    if (!panel->caption().isEmpty())
        return new AccessibleControl(panel, QAccessible::StatusBar);
    return new AccessibleControl(panel, panel->isClickable() ? QAccessible::RadioButton : QAccessible::Pane);
}

QString AccessibleControl::text(QAccessible::Text kind) const
{
    const QString text = QAccessibleWidget::text(kind);
    const auto* panel = qobject_cast<const BevelPanel*>(widget());
    if (kind == QAccessible::Name && text.isEmpty() && panel != nullptr)
        return panel->caption();
    return text;
}

QAccessible::State AccessibleControl::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    // A shape without a name only outlines another control: nothing to read out.
    if (role() == QAccessible::Graphic && text(QAccessible::Name).isEmpty())
        state.invisible = true;
    if (role() == QAccessible::RadioButton)
        state.checked = static_cast<const BevelPanel*>(widget())->bevelInner() == BevelPanel::Lowered;
    return state;
}
