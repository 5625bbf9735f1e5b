#include "KeyGrid.h"

#include <QApplication>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QWidget>

KeyGrid::KeyGrid(const QList<QWidget*>& cells, int columns, QObject* parent)
    : QObject(parent), cells_(cells), columns_(columns), focusFrame_(new QFocusFrame(cells.front()))
{
    for (QWidget* cell : cells_) {
        cell->setFocusPolicy(Qt::NoFocus);
        cell->installEventFilter(this);
    }
}

void KeyGrid::setCurrent(QWidget* cell)
{
    const bool focusInside = cells_.contains(QApplication::focusWidget());
    for (QWidget* other : cells_)
        other->setFocusPolicy(other == cell ? Qt::TabFocus : Qt::NoFocus);
    if (focusInside)
        cell->setFocus(Qt::OtherFocusReason);
}

// The cell the arrow `key` leads to from `index`; -1 for any other key.
int KeyGrid::Neighbour(int index, int key) const
{
    const int column = index % columns_;
    switch (key) {
    case Qt::Key_Left:
        return column > 0 ? index - 1 : index;
    case Qt::Key_Right:
        return column + 1 < columns_ ? index + 1 : index;
    case Qt::Key_Up:
        return index >= columns_ ? index - columns_ : index;
    case Qt::Key_Down:
        return index + columns_ < int(cells_.size()) ? index + columns_ : index;
    default:
        return -1;
    }
}

bool KeyGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        focusFrame_->setWidget(event->type() == QEvent::FocusIn ? static_cast<QWidget*>(watched) : nullptr);
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        QMetaObject::invokeMethod(watched, "click");
        return true;
    }
    const int index = int(cells_.indexOf(static_cast<QWidget*>(watched)));
    const int target = Neighbour(index, key);
    if (target < 0)
        return false;
    if (target != index)
        QMetaObject::invokeMethod(cells_[target], "click");
    return true;
}
