#pragma once

#include <QKeySequence>
#include <QLineEdit>
#include <QList>
#include <QStringView>

#include <optional>


// A single-line edit that hands every character to the keyPress handler before it acts
// on it, as a character event would on the device's original platform. The handler
// decides by setting the read-only flag: a field that is read-only once the handler
// returns does nothing with the character.
//
// Text that arrives without a key of its own (paste by Shift+Insert, the context menu
// or the middle button, drag and drop, an input method) goes through the same handler
// character by character; it is inserted only if no character of it made the field
// read-only, so nothing the handler refuses can get into the field by another road.
class FilteredLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit FilteredLineEdit(QWidget *parent = nullptr);

    // Key sequences that belong to the window's menu: the edit neither claims them
    // (so the menu's shortcuts win while it has the focus) nor hands them to keyPress.
    void setReservedShortcuts(const QList<QKeySequence> &shortcuts);

    // The character a key event delivers, or nothing for keys that deliver none
    // (arrows, Delete, Home, End, function keys). Ctrl with a letter delivers the
    // control code 1..26 whatever text the platform attached.
    static std::optional<char32_t> characterOf(const QKeyEvent &event);

signals:
    // Emitted before the edit acts on the character; connect it directly.
    void keyPress(char32_t character);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    bool isReserved(const QKeyEvent &event) const;
    // Hands each character to keyPress, stopping at the first one that leaves the field
    // read-only. True when the whole text may go in.
    bool admits(QStringView text);
    void pasteAdmitted();

    QList<QKeySequence> m_reserved;
};
