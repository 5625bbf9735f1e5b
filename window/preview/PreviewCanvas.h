#pragma once

#include "PreviewPicture.h"

#include <QWidget>

class QAccessibleInterface;

namespace preview {

// The preview's picture on the screen: as large as the widget allows in the 4:3 shape, at
// one step of its animation. A screen reader meets it as a picture with a name and a
// description.
class PreviewCanvas : public QWidget {
    Q_OBJECT

public:
    explicit PreviewCanvas(QWidget* parent = nullptr);

    void SetSettings(const firmware::GeneratorSettings& settings);
    const firmware::GeneratorSettings& Settings() const { return picture_.Settings(); }

    int Step() const { return step_; }
    void SetStep(int step);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // For QAccessible::installFactory.
    static QAccessibleInterface* Accessible(const QString& className, QObject* object);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PreviewPicture picture_;
    int step_ = 0;
};

}  // namespace preview
