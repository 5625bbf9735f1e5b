#pragma once

#include <QList>
#include <QObject>

class QFocusFrame;
class QWidget;

// Keyboard use of a set of like controls laid out in full rows, one of them the current one.
// The current control is the set's one tab stop. The arrow keys click the neighbour (left
// and right along a row, up and down between rows; nothing past an edge), Space and Enter
// click the control that has the focus. A focus frame around the control that has the
// focus tells it from the others, whatever their own looks. A click is the control's own click() slot, so its
// handler sees the control as the sender, as after a mouse click.
class KeyGrid : public QObject {
    Q_OBJECT

public:
    KeyGrid(const QList<QWidget*>& cells, int columns, QObject* parent);

public slots:
    // Makes `cell` the tab stop; a focus within the set moves to it.
    void setCurrent(QWidget* cell);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int Neighbour(int index, int key) const;

    QList<QWidget*> cells_;
    int columns_;
    QFocusFrame* focusFrame_;
};
