#include "PreviewCanvas.h"

#include "FrameBands.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace preview {

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent)
{
    QAccessible::installFactory(Accessible);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QAccessibleInterface* PreviewCanvas::Accessible(const QString&, QObject* object)
{
    if (auto* canvas = qobject_cast<PreviewCanvas*>(object))
        return new QAccessibleWidget(canvas, QAccessible::Graphic);
    return nullptr;
}

void PreviewCanvas::SetSettings(const firmware::GeneratorSettings& settings)
{
    picture_.SetSettings(settings);
    update();
}

// Only the sliding text moves: a picture without one stays as it is.
void PreviewCanvas::SetStep(int step)
{
    step_ = step;
    if (picture_.Moves())
        update();
}

QSize PreviewCanvas::sizeHint() const
{
    return {kUnitsWide, kUnitsHigh};  // a unit a pixel
}

QSize PreviewCanvas::minimumSizeHint() const
{
    return {160, 120};
}

void PreviewCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Device pixels, so that every edge falls on a whole pixel at any scale.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    const QRect area(QPoint(0, 0), (QSizeF(size()) * ratio).toSize());
    // The window's own colour beside the picture, so that its edges show on any frame.
    painter.setClipRegion(QRegion(area).subtracted(PreviewPicture::FourByThree(area)));
    painter.fillRect(area, palette().window());
    painter.setClipping(false);
    picture_.Draw(painter, area, step_);
}

}  // namespace preview
