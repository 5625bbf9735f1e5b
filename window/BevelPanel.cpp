#include "BevelPanel.h"

#include <QAccessible>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>

BevelPanel::BevelPanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BevelPanel::setBevelInner(Bevel bevel)
{
    inner_ = bevel;
    update();
}

void BevelPanel::setBevelOuter(Bevel bevel)
{
    outer_ = bevel;
    update();
}

void BevelPanel::setBevelWidth(int width)
{
    bevelWidth_ = std::max(0, width);
    update();
}

void BevelPanel::setBorderWidth(int width)
{
    borderWidth_ = std::max(0, width);
    update();
}

void BevelPanel::setCaption(const QString& caption)
{
    if (caption_ == caption)
        return;
    caption_ = caption;
    update();
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void BevelPanel::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

QRect BevelPanel::captionRect() const
{
    int inset = borderWidth_;
    if (outer_ != None)
        inset += bevelWidth_;
    if (inner_ != None)
        inset += bevelWidth_;
    return rect().adjusted(inset, inset, -inset, -inset);
}

bool BevelPanel::isClickable() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&BevelPanel::clicked));
}

void BevelPanel::click()
{
    emit clicked();
}

void BevelPanel::drawBevel(QPainter& painter, QRect& area, Bevel bevel) const
{
    if (bevel == None)
        return;
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    const QColor& topLeft = bevel == Raised ? light : dark;
    const QColor& bottomRight = bevel == Raised ? dark : light;
    for (int i = 0; i < bevelWidth_ && area.width() > 1 && area.height() > 1; ++i) {
        painter.setPen(topLeft);
        painter.drawLine(area.topLeft(), area.topRight());
        painter.drawLine(area.topLeft(), area.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        painter.drawLine(area.topRight(), area.bottomRight());
        area.adjust(1, 1, -1, -1);
    }
}

void BevelPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    QRect area = rect();
    drawBevel(painter, area, outer_);
    area.adjust(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    drawBevel(painter, area, inner_);
    if (!caption_.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(captionRect().adjusted(2, 0, -2, 0), int(alignment_) | Qt::TextSingleLine,
                         caption_);
    }
}

void BevelPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void BevelPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        event->accept();
        if (rect().contains(event->position().toPoint()))
            emit clicked();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
