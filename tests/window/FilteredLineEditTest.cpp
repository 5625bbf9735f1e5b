// The text entry filter on two edits shaped like the window's, driven with real events.
// Every warning box is answered from the test and read back byte for byte.

#include "FilteredLineEdit.h"
#include "MessageBoxAnswerer.h"
#include "TextEntryRule.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <string>

namespace {

using i18n::Language;

const std::string kItalianSuffix = std::string(" '  NON E' CONSENTITO !!!") + "\x0A\x0D\x0A\x0D\x0A\x0D"
                                   + "I caratteri CONSENTITI SONO:" + "\x0A\x0D\x0A\x0D"
                                   + "(SPACE)!#$%&')(*+,-./0123456789:;<>=?" + "\x0D\x0A\x0A\x0D"
                                   + "@ABCDEFGHIJKLMNOPQRSTUVWXYZ][\\^_" + "\x0A\x0D\x0D\x0A" + "`"
                                   + "abcdefghijklmnopqrstuvwxyx}{|~";
const std::string kEnglishSuffix = std::string(" '  IS NOT ALLOWED !!!") + "\x0A\x0D\x0A\x0D\x0A\x0D"
                                   + "The ALLOWED Characters ARE:" + "\x0A\x0D\x0A\x0D"
                                   + "(SPACE)!#$%&')(*+,-./0123456789:;<>=?" + "\x0A\x0D\x0D\x0A"
                                   + "@ABCDEFGHIJKLMNOPQRSTUVWXYZ][\\^_" + "\x0A\x0D\x0D\x0A" + "`"
                                   + "abcdefghijklmnopqrstuvwxyx}{|~";

std::string utf8(const QString &text) { return text.toStdString(); }

class FilteredLineEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.resize(520, 110);
        testo = makeEdit(24, 499, 112);
        nominativo = makeEdit(64, 145, 6);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        focus(testo);
        QGuiApplication::clipboard()->clear();
    }

    FilteredLineEdit *makeEdit(int top, int width, int maxLength)
    {
        auto *edit = new FilteredLineEdit(&window);
        edit->setGeometry(6, top, width, 23);
        edit->setMaxLength(maxLength);
        QObject::connect(edit, &FilteredLineEdit::keyPress, &window,
                         [this, edit](char32_t character) {
                             applyTextEntryRule(*edit, character, language);
                         });
        return edit;
    }

    void focus(FilteredLineEdit *edit)
    {
        reactivate();
        QTest::mouseClick(edit, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([edit] { return edit->hasFocus(); }));
    }

    // Offscreen, closing a box gives the activation back to no one; a window manager
    // would give it back to the window.
    void reactivate()
    {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // A key as the X server delivers it: Ctrl with a letter carries its control code.
    static void press(QWidget *edit, Qt::Key key, const QString &text,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::sendKeyEvent(QTest::Click, edit, key, text, modifiers);
    }

    // The one warning shown since the last look, or a failure.
    MessageBoxAnswerer::Seen onlyWarning()
    {
        EXPECT_EQ(boxes.seen().size(), 1u);
        if (boxes.seen().empty())
            return {};
        MessageBoxAnswerer::Seen warning = boxes.seen().front();
        boxes.clear();
        EXPECT_EQ(warning.icon, QMessageBox::Warning);
        return warning;
    }

    void expectRefusal(const std::string &subject)
    {
        const MessageBoxAnswerer::Seen warning = onlyWarning();
        EXPECT_EQ(utf8(warning.caption), "ATTENZIONE");
        EXPECT_EQ(utf8(warning.text), "Il carattere: ' " + subject + kItalianSuffix);
    }

    void dropText(FilteredLineEdit *edit, const QString &text)
    {
        QMimeData data;
        data.setText(text);
        const QPointF at(edit->width() - 4, edit->height() / 2);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &move);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &drop);
        lastDropAction = drop.dropAction();
    }

    QWidget window;
    FilteredLineEdit *testo = nullptr;
    FilteredLineEdit *nominativo = nullptr;
    Language language = Language::Italian;
    MessageBoxAnswerer boxes;
    Qt::DropAction lastDropAction = Qt::CopyAction;
};

// --- characters that pass ---------------------------------------------------------

TEST_F(FilteredLineEditTest, PrintableAsciiGoesInWithoutWarning)
{
    QTest::keyClicks(testo, " ~\"z");
    EXPECT_EQ(testo->text(), QString(" ~\"z"));
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_FALSE(testo->isReadOnly());
}

TEST_F(FilteredLineEditTest, Code127PassesAndReleasesTheField)
{
    press(testo, Qt::Key_Return, "\r");
    ASSERT_TRUE(testo->isReadOnly());
    boxes.clear();
    press(testo, Qt::Key_Backspace, QString(QChar(0x7f)), Qt::ControlModifier);
    EXPECT_FALSE(testo->isReadOnly());
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilteredLineEditTest, BackspaceDeletesAndReleasesTheField)
{
    QTest::keyClicks(testo, "ab");
    press(testo, Qt::Key_Return, "\r");
    ASSERT_TRUE(testo->isReadOnly());
    boxes.clear();
    QTest::keyClick(testo, Qt::Key_Backspace);
    EXPECT_EQ(testo->text(), QString("a"));
    EXPECT_FALSE(testo->isReadOnly());
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilteredLineEditTest, CtrlHDeletesLikeBackspace)
{
    QTest::keyClicks(testo, "ab");
    press(testo, Qt::Key_H, "\x08", Qt::ControlModifier);
    EXPECT_EQ(testo->text(), QString("a"));
    EXPECT_TRUE(boxes.seen().empty());
}

// --- characters that are refused --------------------------------------------------

struct RefusedKey {
    const char *what;
    Qt::Key key;
    QString text;
    Qt::KeyboardModifiers modifiers;
    std::string subject;
};

TEST_F(FilteredLineEditTest, RefusedCharactersAreNotInsertedAndAreNamedInTheWarning)
{
    const RefusedKey keys[] = {
        {"Enter", Qt::Key_Return, "\r", Qt::NoModifier, "Enter"},
        {"keypad Enter", Qt::Key_Enter, "\r", Qt::KeypadModifier, "Enter"},
        {"Ctrl+M", Qt::Key_M, "\r", Qt::ControlModifier, "Enter"},
        {"Escape", Qt::Key_Escape, "\x1b", Qt::NoModifier, "\x1b"},
        {"Ctrl+B as X delivers it", Qt::Key_B, "\x02", Qt::ControlModifier, "\x02"},
        {"Ctrl+B with its letter", Qt::Key_B, "b", Qt::ControlModifier, "\x02"},
        {"e acute", Qt::Key_Eacute, QString::fromUtf8("\xC3\xA9"), Qt::NoModifier, "\xC3\xA9"},
        {"A grave", Qt::Key_Agrave, QString::fromUtf8("\xC3\x80"), Qt::ShiftModifier, "\xC3\x80"},
        {"euro sign", Qt::Key_unknown, QString::fromUtf8("\xE2\x82\xAC"), Qt::NoModifier,
         "\xE2\x82\xAC"},
        {"NUL", Qt::Key_unknown, QString(QChar(0)), Qt::NoModifier, ""},
    };
    for (const RefusedKey &k : keys) {
        SCOPED_TRACE(k.what);
        testo->setReadOnly(false);
        testo->setText("ab");
        press(testo, k.key, k.text, k.modifiers);
        EXPECT_EQ(testo->text(), QString("ab"));
        EXPECT_TRUE(testo->isReadOnly());
        expectRefusal(k.subject);
    }
}

TEST_F(FilteredLineEditTest, ItalianWarningIsExactToTheByte)
{
    press(testo, Qt::Key_Return, "\r");
    const MessageBoxAnswerer::Seen warning = onlyWarning();
    const std::string text = utf8(warning.text);
    EXPECT_EQ(kItalianSuffix.size(), 171u);
    EXPECT_EQ(text.size(), std::string("Il carattere: ' ").size() + 5 + 171);
    EXPECT_EQ(text, "Il carattere: ' Enter" + kItalianSuffix);
    EXPECT_EQ(utf8(warning.caption), "ATTENZIONE");
    EXPECT_EQ(warning.parent, &window);
}

TEST_F(FilteredLineEditTest, EnglishWarningIsExactToTheByte)
{
    language = Language::English;
    press(testo, Qt::Key_Eacute, QString::fromUtf8("\xC3\xA9"));
    const MessageBoxAnswerer::Seen warning = onlyWarning();
    const std::string text = utf8(warning.text);
    EXPECT_EQ(kEnglishSuffix.size(), 167u);
    EXPECT_EQ(text.size(), std::string("The character ' ").size() + 2 + 167);
    EXPECT_EQ(text, "The character ' \xC3\xA9" + kEnglishSuffix);
    EXPECT_EQ(utf8(warning.caption), "WARNING");
}

// --- the read-only state ----------------------------------------------------------

TEST_F(FilteredLineEditTest, FieldStaysReadOnlyUntilACharacterPassesInIt)
{
    QTest::keyClicks(testo, "abc");
    press(testo, Qt::Key_Escape, "\x1b");
    boxes.clear();
    QTest::keyClick(testo, Qt::Key_Home);
    QTest::keyClick(testo, Qt::Key_Delete);
    EXPECT_EQ(testo->text(), QString("abc"));
    EXPECT_TRUE(testo->isReadOnly());

    QTest::keyClick(testo, 'X');
    EXPECT_FALSE(testo->isReadOnly());
    EXPECT_EQ(testo->text(), QString("Xabc"));
    QTest::keyClick(testo, Qt::Key_Delete);
    EXPECT_EQ(testo->text(), QString("Xbc"));
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilteredLineEditTest, RefusalInOneFieldLeavesTheOtherEditable)
{
    press(testo, Qt::Key_Return, "\r");
    boxes.clear();
    focus(nominativo);
    QTest::keyClicks(nominativo, "IK2");
    EXPECT_EQ(nominativo->text(), QString("IK2"));
    EXPECT_FALSE(nominativo->isReadOnly());
    EXPECT_TRUE(testo->isReadOnly());
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilteredLineEditTest, FullFieldTakesNoCharacterAndShowsNoWarning)
{
    focus(nominativo);
    QTest::keyClicks(nominativo, "IW2ABCD");
    EXPECT_EQ(nominativo->text(), QString("IW2ABC"));
    EXPECT_FALSE(nominativo->isReadOnly());
    EXPECT_TRUE(boxes.seen().empty());
}

// --- Ctrl keys: refused, and the edit does not act on them ------------------------

TEST_F(FilteredLineEditTest, CtrlVPastesNothing)
{
    QGuiApplication::clipboard()->setText("PASTED");
    QTest::keyClicks(testo, "abc");
    QTest::keyClick(testo, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(testo->text(), QString("abc"));
    expectRefusal("\x16");
}

TEST_F(FilteredLineEditTest, CtrlASelectsNothing)
{
    QTest::keyClicks(testo, "abc");
    QTest::keyClick(testo, Qt::Key_A, Qt::ControlModifier);
    EXPECT_FALSE(testo->hasSelectedText());
    expectRefusal("\x01");
}

TEST_F(FilteredLineEditTest, CtrlZUndoesNothing)
{
    QTest::keyClicks(testo, "abc");
    QTest::keyClick(testo, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(testo->text(), QString("abc"));
    expectRefusal("\x1a");
}

TEST_F(FilteredLineEditTest, MenuShortcutsNeverReachTheFilter)
{
    const QList<QKeySequence> shortcuts{QKeySequence(Qt::CTRL | Qt::Key_O),
                                        QKeySequence(Qt::CTRL | Qt::Key_S),
                                        QKeySequence(Qt::CTRL | Qt::Key_I),
                                        QKeySequence(Qt::CTRL | Qt::Key_E),
                                        QKeySequence(Qt::CTRL | Qt::Key_X)};
    int triggered = 0;
    for (const QKeySequence &shortcut : shortcuts) {
        auto *action = new QAction(&window);
        action->setShortcut(shortcut);
        window.addAction(action);
        QObject::connect(action, &QAction::triggered, [&triggered] { ++triggered; });
    }
    testo->setReservedShortcuts(shortcuts);
    QTest::keyClicks(testo, "abc");
    QTest::keyClick(testo, Qt::Key_Home, Qt::ShiftModifier);  // a selection Ctrl+X could cut
    QSignalSpy seenByFilter(testo, &FilteredLineEdit::keyPress);

    for (const Qt::Key letter : {Qt::Key_O, Qt::Key_S, Qt::Key_I, Qt::Key_E, Qt::Key_X})
        QTest::keyClick(testo, letter, Qt::ControlModifier);

    EXPECT_EQ(triggered, 5);
    EXPECT_EQ(seenByFilter.count(), 0);
    EXPECT_EQ(testo->text(), QString("abc"));
    EXPECT_TRUE(boxes.seen().empty());
}

// --- text that comes without a character event ------------------------------------

TEST_F(FilteredLineEditTest, ShiftInsertPastesTextThatPasses)
{
    QGuiApplication::clipboard()->setText("CQ de ~IK2~");
    QTest::keyClick(testo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(testo->text(), QString("CQ de ~IK2~"));
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilteredLineEditTest, ShiftInsertRefusesTextWithAnyRefusedCharacter)
{
    QTest::keyClicks(testo, "x");
    QGuiApplication::clipboard()->setText(QString::fromUtf8("caff\xC3\xA8\tok"));
    QTest::keyClick(testo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(testo->text(), QString("x"));
    EXPECT_TRUE(testo->isReadOnly());
    expectRefusal("\xC3\xA8");  // the first refused character only, one box
}

TEST_F(FilteredLineEditTest, PasteStopsAtTheLengthLimit)
{
    focus(nominativo);
    QGuiApplication::clipboard()->setText("IW2ABCDE");
    QTest::keyClick(nominativo, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(nominativo->text(), QString("IW2ABC"));
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilteredLineEditTest, ContextMenuPasteIsFiltered)
{
    const auto pasteFromMenu = [this] {
        QWindow *handle = window.windowHandle();
        const QPoint at = testo->mapTo(&window, QPoint(20, 10));
        reactivate();
        QTest::mouseClick(handle, Qt::RightButton, Qt::NoModifier, at);
        QMenu *menu = nullptr;
        EXPECT_TRUE(QTest::qWaitFor([&menu] {
            menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            return menu != nullptr;
        }));
        if (!menu)
            return;
        QAction *paste = nullptr;
        for (QAction *action : menu->actions()) {
            if (action->text().startsWith(QLineEdit::tr("&Paste")))
                paste = action;
        }
        ASSERT_NE(paste, nullptr);
        ASSERT_TRUE(paste->isEnabled());
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(paste).center());
    };

    QGuiApplication::clipboard()->setText(QString::fromUtf8("pi\xC3\xB9"));
    pasteFromMenu();
    EXPECT_EQ(testo->text(), QString());
    expectRefusal("\xC3\xB9");

    testo->setReadOnly(false);
    QGuiApplication::clipboard()->setText("piu");
    pasteFromMenu();
    EXPECT_EQ(testo->text(), QString("piu"));
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilteredLineEditTest, DropIsFiltered)
{
    QTest::keyClicks(testo, "ab");
    dropText(testo, QString::fromUtf8("pi\xC3\xB9"));
    EXPECT_EQ(testo->text(), QString("ab"));
    EXPECT_EQ(lastDropAction, Qt::IgnoreAction);
    expectRefusal("\xC3\xB9");

    testo->setReadOnly(false);
    dropText(testo, "cd");
    EXPECT_EQ(testo->text(), QString("abcd"));
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilteredLineEditTest, InputMethodCommitIsFiltered)
{
    QTest::keyClicks(testo, "ab");
    QInputMethodEvent composing(QString("e"), {});
    QApplication::sendEvent(testo, &composing);
    QInputMethodEvent refused;
    refused.setCommitString(QString::fromUtf8("\xC3\xA9"));
    QApplication::sendEvent(testo, &refused);
    EXPECT_EQ(testo->text(), QString("ab"));
    EXPECT_TRUE(testo->isReadOnly());
    expectRefusal("\xC3\xA9");

    testo->setReadOnly(false);
    QInputMethodEvent passing;
    passing.setCommitString("cd");
    QApplication::sendEvent(testo, &passing);
    EXPECT_EQ(testo->text(), QString("abcd"));
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(FilteredLineEditTest, MiddleButtonPasteIsFiltered)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->supportsSelection())
        GTEST_SKIP() << "this platform has no selection to paste with the middle button";
    clipboard->setText(QString::fromUtf8("\xC3\xA0 bient\xC3\xB4t"), QClipboard::Selection);
    QTest::mouseClick(testo, Qt::MiddleButton);
    EXPECT_EQ(testo->text(), QString());
    expectRefusal("\xC3\xA0");

    testo->setReadOnly(false);
    clipboard->setText("a bientot", QClipboard::Selection);
    QTest::mouseClick(testo, Qt::MiddleButton);
    EXPECT_EQ(testo->text(), QString("a bientot"));
    EXPECT_TRUE(boxes.seen().empty());
}

}  // namespace
