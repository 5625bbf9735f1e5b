#pragma once

#include <QColor>
#include <QWidget>

// A plain rectangle with an outline and a fill, used for the colour swatches and for the
// selection marks of the colour palette. An invalid fill colour leaves the inside clear, so
// the parent's background (the button face) shows through.
class ShapeWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor penColor READ penColor WRITE setPenColor)
    Q_PROPERTY(QColor brushColor READ brushColor WRITE setBrushColor NOTIFY brushColorChanged)

public:
    explicit ShapeWidget(QWidget* parent = nullptr);

    QColor penColor() const { return pen_; }
    QColor brushColor() const { return brush_; }
    void setPenColor(const QColor& color);
    void setBrushColor(const QColor& color);

signals:
    void brushColorChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor pen_{Qt::black};
    QColor brush_;
};
