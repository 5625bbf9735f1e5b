#pragma once

#include <QAccessibleWidget>

// What a screen reader learns of the window's self-painted controls (BevelPanel,
// ShapeWidget). A panel with a caption is a status line named by its caption; a panel
// that takes clicks is one choice among several, checked while it is drawn pressed in;
// any other panel is a plain pane. A shape is a picture, named by its accessible name;
// one without a name is decoration, kept from the reader. So is a label while it is blank
// (the spacers between the frames); one that is blank when first read is read by its text
// once it has one.
class AccessibleControl : public QAccessibleWidget {
public:
    // For QAccessible::installFactory.
    static QAccessibleInterface* Create(const QString& className, QObject* object);

    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;

private:
    AccessibleControl(QWidget* widget, QAccessible::Role role);
};
