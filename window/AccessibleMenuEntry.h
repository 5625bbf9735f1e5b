#pragma once

#include <QAccessibleObject>

class QAction;
class QMenu;

// What a screen reader learns of a menu entry without text, which Qt would expose with no
// name at all: the entry is named by its "accessibleName" property and otherwise read as
// any entry of its menu (where it lies, whether it is highlighted, whether it can be used).
class AccessibleMenuEntry : public QAccessibleObject {
public:
    // For QAccessible::installFactory.
    static QAccessibleInterface* Create(const QString& className, QObject* object);

    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text kind) const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QRect rect() const override;
    QWindow* window() const override;

private:
    explicit AccessibleMenuEntry(QAction* action);
    QAction* action() const;
    QMenu* menu() const;
};
