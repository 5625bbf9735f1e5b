#include "WindowAccess.h"

#include "BevelPanel.h"
#include "FormTessel.h"
#include "KeyGrid.h"
#include "ShapeWidget.h"
#include "firmware/FirmwareFile.h"
#include "ui_FormTessel.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QShortcut>

namespace {

constexpr int kFramesPerRow = 8;
constexpr int kColourCount = 8;

// The colour code whose display colour `colour` is; -1 for none.
int CodeOf(const QColor& colour)
{
    for (int code = 0; code < kColourCount; ++code) {
        const firmware::RgbColour rgb = firmware::ColourOfCode(code);
        if (colour == QColor(rgb.red, rgb.green, rgb.blue))
            return code;
    }
    return -1;
}

QString ColourName(i18n::Language language, int code)
{
    const std::string_view name = i18n::colourName(language, code);
    return QString::fromUtf8(name);
}

}  // namespace

WindowAccess::WindowAccess(TForm1& form, Ui::TForm1& ui) : QObject(&form), form_(form), ui_(ui)
{
    frames_ = new KeyGrid(QList<QWidget*>(form.PulsQuadri.begin(), form.PulsQuadri.end()), kFramesPerRow, this);
    for (QToolButton* button : form.PulsQuadri)
        connect(button, &QToolButton::toggled, this, &WindowAccess::FrameToggled);

    QList<QWidget*> panels;
    for (const TForm1::PaletteEntry& entry : form.Tavolozza) {
        panels.append(entry.panel);
        connect(entry.panel, &BevelPanel::clicked, this, &WindowAccess::ColourClicked);
    }
    colours_ = new KeyGrid(panels, 1, this);
    connect(ui.PulsScorrColSfo, &QPushButton::clicked, this, &WindowAccess::PaletteOpened);
    connect(ui.PulsFissoColSfo, &QPushButton::clicked, this, &WindowAccess::PaletteOpened);
    connect(ui.OkColore, &QPushButton::clicked, this, &WindowAccess::PaletteClosed);
    connect(ui.CancellaColore, &QPushButton::clicked, this, &WindowAccess::PaletteClosed);

    auto* enter = new QShortcut(ui.TavolaColore);
    enter->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    enter->setContext(Qt::WidgetWithChildrenShortcut);
    connect(enter, &QShortcut::activated, this, &WindowAccess::PaletteEnter);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), ui.TavolaColore);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, ui.CancellaColore, &QPushButton::click);

    // The lists' names, for a screen reader only; the language switch writes them.
    for (QComboBox* list : {ui.ComboDimScorr, ui.ComboVelocita, ui.ComboDimFisso}) {
        auto* label = new QLabel(list->parentWidget());
        label->setBuddy(list);
        label->hide();
    }
    connect(ui.ShapeSfondoTesto, &ShapeWidget::brushColorChanged, this, &WindowAccess::NameColours);
    connect(ui.ShapeSfondoNominativo, &ShapeWidget::brushColorChanged, this, &WindowAccess::NameColours);
    connect(ui.Italiano, &QAction::toggled, this, &WindowAccess::NameColours);
    NameColours();
}

void WindowAccess::FrameToggled(bool down)
{
    if (down)
        frames_->setCurrent(qobject_cast<QWidget*>(sender()));
}

void WindowAccess::ColourClicked()
{
    colours_->setCurrent(qobject_cast<QWidget*>(sender()));
}

void WindowAccess::PaletteOpened()
{
    opener_ = qobject_cast<QWidget*>(sender());
    ui_.TavolaColore->setAccessibleName(opener_ != nullptr ? opener_->accessibleName() : QString());
    BevelPanel* highlighted = form_.Tavolozza.at(std::size_t(ui_.TavolaColore->property("Tag").toInt())).panel;
    colours_->setCurrent(highlighted);
    highlighted->setFocus(Qt::OtherFocusReason);
}

void WindowAccess::PaletteClosed()
{
    if (opener_ != nullptr)
        opener_->setFocus(Qt::OtherFocusReason);
}

// Enter presses the palette's button that has the focus, else OK.
void WindowAccess::PaletteEnter()
{
    auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget());
    (focused != nullptr ? focused : ui_.OkColore)->click();
}

void WindowAccess::NameColours()
{
    const i18n::Language language = form_.CurrentLanguage();
    for (int code = 0; code < kColourCount; ++code)
        form_.Tavolozza.at(std::size_t(code)).panel->setAccessibleName(ColourName(language, code));
    for (ShapeWidget* swatch : {ui_.ShapeSfondoTesto, ui_.ShapeSfondoNominativo})
        swatch->setAccessibleName(ColourName(language, CodeOf(swatch->brushColor())));
}
