#include "ShapeWidget.h"

#include <QPainter>

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {}

void ShapeWidget::setPenColor(const QColor& color)
{
    if (pen_ == color)
        return;
    pen_ = color;
    update();
}

void ShapeWidget::setBrushColor(const QColor& color)
{
    if (brush_ == color)
        return;
    brush_ = color;
    update();
    emit brushColorChanged();
}

void ShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    if (brush_.isValid())
        painter.fillRect(inside, brush_);
    // A one-pixel outline drawn on the edge pixels themselves, as the shape's bounds say.
    painter.setPen(QPen(pen_, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
