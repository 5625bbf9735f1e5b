#pragma once

#include "firmware/FirmwareFormat.h"
#include "i18n/Messages.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;

namespace preview {

class PreviewCanvas;

// A window of its own beside the owner's, showing what the generator will put on the
// screen for the settings it is given, the sliding text moving. It animates only while it
// can be seen, and closes when its owner closes. It keeps the keyboard where it was when it
// comes up, so that typing goes on in the owner.
class PreviewWindow : public QWidget {
    Q_OBJECT

public:
    using LanguageSource = std::function<i18n::Language()>;

    static constexpr int kStepMilliseconds = 40;

    PreviewWindow(QWidget* owner, LanguageSource language);

    bool IsAnimating() const { return timer_.isActive(); }

public slots:
    void ShowSettings(const firmware::GeneratorSettings& settings);
    // Takes the texts of the language the source names now.
    void FollowLanguage();
    // One step of the animation; the timer calls it, tests may too.
    void NextStep();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void PlaceBeside(const QWidget& owner);
    void Describe();
    void FollowVisibility();

    PreviewCanvas* canvas_ = nullptr;
    QLabel* note_ = nullptr;
    QTimer timer_;
    LanguageSource language_;
    bool onScreen_ = false;  // between a show and a hide, also one the window system made
};

}  // namespace preview
