#include "FrameButton.h"

#include <QPainter>

namespace {
constexpr int kMarkInset = 3;  // inside the style's two-pixel bevel
constexpr int kMarkWidth = 3;
}  // namespace

FrameButton::FrameButton(QWidget* parent) : QToolButton(parent) {}

void FrameButton::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    if (!isChecked())
        return;
    QPainter painter(this);
    const QRect outer = rect().adjusted(kMarkInset, kMarkInset, -kMarkInset, -kMarkInset);
    const QColor navy(0x00, 0x00, 0x80);
    for (int line = 0; line < kMarkWidth; ++line) {
        painter.setPen(navy);
        painter.drawRect(outer.adjusted(line, line, -line - 1, -line - 1));
    }
}
