#pragma once

#include <QObject>
#include <QPointer>

class KeyGrid;
class QWidget;
class TForm1;

namespace Ui {
class TForm1;
}

// The window without a mouse, and with a screen reader. The frame buttons and the colour
// panels are each one tab stop, on the current frame and the highlighted colour, walked
// with the arrow keys. The palette takes the focus when it opens, Enter commits it and
// Escape cancels it, and the focus returns to its opener when it closes. The colour panels
// and the two swatches are named by their colours in the current language, the palette by
// the button that opened it; each drop-down list has a hidden label to carry its name.
class WindowAccess : public QObject {
    Q_OBJECT

public:
    // Built once the form has filled PulsQuadri and Tavolozza and bound its own handlers,
    // which must run before these.
    WindowAccess(TForm1& form, Ui::TForm1& ui);

public slots:
    void FrameToggled(bool down);
    void ColourClicked();
    void PaletteOpened();
    void PaletteClosed();
    void PaletteEnter();
    void NameColours();

private:
    TForm1& form_;
    Ui::TForm1& ui_;
    KeyGrid* frames_ = nullptr;
    KeyGrid* colours_ = nullptr;
    QPointer<QWidget> opener_;
};
