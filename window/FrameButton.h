#pragma once

#include <QToolButton>

// A frame selector button. The style draws a pressed button only slightly sunken; the frame in
// use must be obvious at a glance, so a pressed one is also framed in navy around its picture.
class FrameButton : public QToolButton {
    Q_OBJECT

public:
    explicit FrameButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
