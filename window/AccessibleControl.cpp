#include "AccessibleControl.h"

#include "BevelPanel.h"
#include "ShapeWidget.h"

#include <QLabel>

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
    if (auto* label = qobject_cast<QLabel*>(object); label != nullptr && label->text().trimmed().isEmpty())
        return new AccessibleControl(label, QAccessible::StaticText);
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
    if (kind != QAccessible::Name || !text.isEmpty())
        return text;
    if (const auto* panel = qobject_cast<const BevelPanel*>(widget()))
        return panel->caption();
    if (const auto* label = qobject_cast<const QLabel*>(widget()))
        return label->text();
    return text;
}

QAccessible::State AccessibleControl::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    // A shape without a name only outlines another control, a blank label only keeps others
    // apart: nothing to read out.
    if ((role() == QAccessible::Graphic || role() == QAccessible::StaticText) &&
        text(QAccessible::Name).trimmed().isEmpty())
        state.invisible = true;
    if (role() == QAccessible::RadioButton)
        state.checked = static_cast<const BevelPanel*>(widget())->bevelInner() == BevelPanel::Lowered;
    return state;
}
