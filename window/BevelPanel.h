#pragma once

#include <QWidget>

// A flat panel with an outer and an inner bevel, an optional caption, and a click signal.
// From the outside in: outer bevel (bevelWidth), border (borderWidth, panel colour), inner
// bevel (bevelWidth). The panel paints its whole area with its palette's Window colour.
class BevelPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(Bevel bevelInner READ bevelInner WRITE setBevelInner)
    Q_PROPERTY(Bevel bevelOuter READ bevelOuter WRITE setBevelOuter)
    Q_PROPERTY(int bevelWidth READ bevelWidth WRITE setBevelWidth)
    Q_PROPERTY(int borderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)

public:
    enum Bevel { None, Lowered, Raised };
    Q_ENUM(Bevel)

    explicit BevelPanel(QWidget* parent = nullptr);

    Bevel bevelInner() const { return inner_; }
    Bevel bevelOuter() const { return outer_; }
    int bevelWidth() const { return bevelWidth_; }
    int borderWidth() const { return borderWidth_; }
    QString caption() const { return caption_; }
    Qt::Alignment alignment() const { return alignment_; }

    void setBevelInner(Bevel bevel);
    void setBevelOuter(Bevel bevel);
    void setBevelWidth(int width);
    void setBorderWidth(int width);
    void setCaption(const QString& caption);
    void setAlignment(Qt::Alignment alignment);

    // The area left inside both bevels and the border, where the caption goes.
    QRect captionRect() const;

    // Whether anything listens to clicks on the panel.
    bool isClickable() const;

public slots:
    void click();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void drawBevel(QPainter& painter, QRect& area, Bevel bevel) const;

    Bevel inner_ = None;
    Bevel outer_ = Raised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    QString caption_;
    Qt::Alignment alignment_ = Qt::AlignCenter;
    bool pressed_ = false;
};
