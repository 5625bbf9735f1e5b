#include "PreviewWindow.h"

#include "PictureDescription.h"
#include "PreviewCanvas.h"
#include "i18n/PreviewTexts.h"

#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

namespace preview {

namespace {

QString Text(i18n::Language language, i18n::PreviewText id)
{
    const std::string_view text = i18n::previewText(language, id);
    return QString::fromUtf8(text);
}

}  // namespace

PreviewWindow::PreviewWindow(QWidget* owner, LanguageSource language)
    : QWidget(owner, Qt::Window), language_(std::move(language))
{
    setObjectName(QStringLiteral("FormAnteprima"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    canvas_ = new PreviewCanvas(this);
    canvas_->setObjectName(QStringLiteral("QuadroAnteprima"));
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("NotaAnteprima"));
    note_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(canvas_, 1);
    layout->addWidget(note_);

    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)}) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, &QWidget::close);
    }
    timer_.setInterval(kStepMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &PreviewWindow::NextStep);
    FollowLanguage();
    if (owner != nullptr) {
        owner->installEventFilter(this);
        PlaceBeside(*owner);
    }
}

// On the owner's right where the screen has room for it, else on its left; else wherever
// the window system puts it.
void PreviewWindow::PlaceBeside(const QWidget& owner)
{
    const QScreen* screen = owner.screen();
    if (screen == nullptr)
        return;
    adjustSize();
    const QRect room = screen->availableGeometry();
    const QRect beside = owner.frameGeometry();
    const int frame = beside.width() - owner.width();  // the window system's borders
    const int gap = 8;
    QRect placed(QPoint(beside.right() + gap, beside.top()), size() + QSize(frame, frame));
    if (!room.contains(placed))
        placed.moveRight(beside.left() - gap);
    if (room.contains(placed))
        move(placed.topLeft());
}

void PreviewWindow::ShowSettings(const firmware::GeneratorSettings& settings)
{
    canvas_->SetSettings(settings);
    Describe();
}

void PreviewWindow::FollowLanguage()
{
    const i18n::Language language = language_();
    setWindowTitle(Text(language, i18n::PreviewText::WindowTitle));
    note_->setText(Text(language, i18n::PreviewText::Note));
    canvas_->setAccessibleName(Text(language, i18n::PreviewText::PictureName));
    Describe();
}

void PreviewWindow::NextStep()
{
    canvas_->SetStep(canvas_->Step() + 1);
}

void PreviewWindow::Describe()
{
    canvas_->setAccessibleDescription(describePicture(canvas_->Settings(), language_()));
}

// The owner's windows close with it.
bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Close)
        close();
    return QWidget::eventFilter(watched, event);
}

// Minimised, the window system hides the window but Qt still calls it visible.
void PreviewWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    onScreen_ = true;
    FollowVisibility();
}

void PreviewWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    onScreen_ = false;
    FollowVisibility();
}

void PreviewWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        FollowVisibility();
}

void PreviewWindow::FollowVisibility()
{
    if (onScreen_ && isVisible() && !isMinimized())
        timer_.start();
    else
        timer_.stop();
}

}  // namespace preview
