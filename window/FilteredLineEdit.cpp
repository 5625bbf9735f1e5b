#include "FilteredLineEdit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

FilteredLineEdit::FilteredLineEdit(QWidget *parent) : QLineEdit(parent) {}

void FilteredLineEdit::setReservedShortcuts(const QList<QKeySequence> &shortcuts)
{
    m_reserved = shortcuts;
}

std::optional<char32_t> FilteredLineEdit::characterOf(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const int key = event.key();
    const bool controlOnly = (modifiers & Qt::ControlModifier)
                             && !(modifiers & (Qt::AltModifier | Qt::MetaModifier));
    if (controlOnly && key >= Qt::Key_A && key <= Qt::Key_Z)
        return char32_t(key - Qt::Key_A + 1);
    switch (key) {
    case Qt::Key_Backspace:
        return U'\b';
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return U'\r';
    case Qt::Key_Escape:
        return U'\x1b';
    case Qt::Key_Delete:  // some platforms attach DEL to it; it edits, it types nothing
        return std::nullopt;
    default:
        break;
    }
    const QList<uint> codes = event.text().toUcs4();
    if (codes.isEmpty())
        return std::nullopt;
    return char32_t(codes.front());
}

bool FilteredLineEdit::isReserved(const QKeyEvent &event) const
{
    const QKeySequence pressed(event.keyCombination());
    for (const QKeySequence &reserved : m_reserved) {
        if (reserved.matches(pressed) == QKeySequence::ExactMatch)
            return true;
    }
    return false;
}

bool FilteredLineEdit::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && isReserved(*static_cast<QKeyEvent *>(event))) {
        event->ignore();  // not ours: the menu's shortcut takes it
        return true;
    }
    return QLineEdit::event(event);
}

void FilteredLineEdit::keyPressEvent(QKeyEvent *event)
{
    if (isReserved(*event)) {
        event->ignore();
        return;
    }
    const std::optional<char32_t> character = characterOf(*event);
    if (!character) {
        if (event->matches(QKeySequence::Paste)) {  // Shift+Insert: text without a character
            pasteAdmitted();
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->text().toUcs4().size() > 1) {  // a composed key that brings several characters
        if (admits(event->text()))
            QLineEdit::keyPressEvent(event);
        return;
    }
    emit keyPress(*character);
    if (isReadOnly())
        return;
    if (*character == U'\b' && event->key() != Qt::Key_Backspace) {
        backspace();  // Ctrl+H is the Backspace character
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    if (!menu)
        return;
    // The standard menu's Paste is the one action tied to QLineEdit::paste: tie it to
    // the filtered paste instead.
    for (QAction *action : menu->actions()) {
        const bool tiedToPaste =
            disconnect(action, &QAction::triggered, this, &QLineEdit::paste)
            || disconnect(action, SIGNAL(triggered()), this, SLOT(paste()));  // how Qt 6.4 ties it
        if (tiedToPaste)
            connect(action, &QAction::triggered, this, &FilteredLineEdit::pasteAdmitted);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent *event)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() && !isReadOnly()
        && !admits(clipboard->text(QClipboard::Selection))) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FilteredLineEdit::dropEvent(QDropEvent *event)
{
    if (!isReadOnly() && event->mimeData()->hasText() && !admits(event->mimeData()->text())) {
        event->setDropAction(Qt::IgnoreAction);
        event->accept();
        return;
    }
    QLineEdit::dropEvent(event);
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // Take the composition first, so that a refused commit still ends it on screen.
    QInputMethodEvent compositionOnly(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&compositionOnly);
    if (admits(commit))
        QLineEdit::inputMethodEvent(event);
    event->accept();
}

bool FilteredLineEdit::admits(QStringView text)
{
    if (isReadOnly())
        return false;
    for (const uint code : text.toUcs4()) {
        emit keyPress(char32_t(code));
        if (isReadOnly())
            return false;
    }
    return true;
}

void FilteredLineEdit::pasteAdmitted()
{
    if (admits(QGuiApplication::clipboard()->text()))
        paste();
}
