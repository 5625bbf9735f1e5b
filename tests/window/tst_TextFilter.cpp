#include "FilteredLineEdit.h"
#include "FormTessel.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

firmware::GeneratorSettings Loaded()
{
    return {.slidingText = "CQ", .fixedText = "N0CALL"};
}

const QByteArray kItalianHead = "Il carattere: ' ";
const QByteArray kItalianTail = " '  NON E' CONSENTITO !!!\x0A\x0D\x0A\x0D\x0A\x0D";
const QByteArray kEnglishHead = "The character ' ";
const QByteArray kEnglishTail = " '  IS NOT ALLOWED !!!\x0A\x0D\x0A\x0D\x0A\x0D";

}  // namespace

// The text entry filter as the window applies it to its two edits: the warning in the
// window's current language, the read-only state, and text that arrives without a key.
class TextFilterTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString source_;

    bool OpenLoaded(TForm1& window)
    {
        return ShowAndOpen(window, source_).isEmpty();
    }

    static FilteredLineEdit* Edit(const TForm1& window, const char* name)
    {
        return Find<FilteredLineEdit>(window, name);
    }

    static void Focus(TForm1& window, QWidget* edit)
    {
        QVERIFY(Reactivate(window));
        QTest::mouseClick(edit, Qt::LeftButton);
        QTRY_VERIFY(edit->hasFocus());
    }

    // Presses a key that a box answers; returns what the box showed.
    static BoxSeen PressAnswered(QWidget* edit, Qt::Key key, const QString& text,
                                 Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        BoxSeen seen;
        ModalAnswers answers;
        answers.pressInBox(QMessageBox::Ok, &seen);
        QTest::sendKeyEvent(QTest::Click, edit, key, text, modifiers);
        if (!answers.errors().isEmpty())
            qWarning("%s", qPrintable(answers.errors().join('\n')));
        return seen;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        source_ = dir_.filePath("source.hex");
        WriteFirmware(source_, Loaded());
    }

    void bothEditsAreFilteredWithTheItalianWarning()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        for (const char* name : {"EditTesto", "EditNominativo"}) {
            FilteredLineEdit* edit = Edit(window, name);
            QVERIFY2(edit, name);
            Focus(window, edit);
            const QString before = edit->text();
            const BoxSeen seen = PressAnswered(edit, Qt::Key_Return, "\r");
            QVERIFY2(seen.shown, name);
            QCOMPARE(seen.title, QStringLiteral("ATTENZIONE"));
            QCOMPARE(seen.icon, QMessageBox::Warning);
            const QByteArray text = seen.text.toUtf8();
            QVERIFY(text.startsWith(kItalianHead + "Enter" + kItalianTail));
            QCOMPARE(text.size(), kItalianHead.size() + 5 + 171);
            QCOMPARE(edit->text(), before);
            QVERIFY(edit->isReadOnly());
        }
    }

    void warningFollowsTheLanguageSwitchedFromTheMenu()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        FilteredLineEdit* edit = Edit(window, "EditTesto");
        Focus(window, edit);
        QSignalSpy filterSaw(edit, &FilteredLineEdit::keyPress);
        QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier);  // the menu takes it, not the field
        QCOMPARE(window.CurrentLanguage(), i18n::Language::English);
        QCOMPARE(filterSaw.count(), 0);

        const BoxSeen seen = PressAnswered(edit, Qt::Key_Eacute, QString::fromUtf8("\xC3\xA9"));
        QVERIFY(seen.shown);
        QCOMPARE(seen.title, QStringLiteral("WARNING"));
        const QByteArray text = seen.text.toUtf8();
        QVERIFY(text.startsWith(kEnglishHead + "\xC3\xA9" + kEnglishTail));
        QCOMPARE(text.size(), kEnglishHead.size() + 2 + 167);
        QCOMPARE(edit->text(), QStringLiteral("CQ"));
    }

    void readOnlyLastsUntilACharacterPassesInThatFieldOnly()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        FilteredLineEdit* testo = Edit(window, "EditTesto");
        FilteredLineEdit* nominativo = Edit(window, "EditNominativo");
        Focus(window, testo);
        QVERIFY(PressAnswered(testo, Qt::Key_Escape, "\x1b").shown);
        QVERIFY(testo->isReadOnly());

        // A language switch and a new load leave the flag as it is.
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(testo->isReadOnly());
        QVERIFY(OpenThroughDialog(window, source_).isEmpty());
        QVERIFY(testo->isReadOnly());
        QCOMPARE(testo->text(), QStringLiteral("CQ"));  // text the program puts in shows

        Focus(window, nominativo);
        QVERIFY(!nominativo->isReadOnly());
        QTest::keyClick(nominativo, Qt::Key_Backspace);
        QCOMPARE(nominativo->text(), QStringLiteral("N0CAL"));

        Focus(window, testo);
        QTest::keyClick(testo, Qt::Key_End);
        QTest::keyClick(testo, Qt::Key_Backspace);
        QVERIFY(!testo->isReadOnly());
        QCOMPARE(testo->text(), QStringLiteral("C"));
    }

    void fullFieldTakesNothingAndShowsNothing()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        FilteredLineEdit* nominativo = Edit(window, "EditNominativo");
        Focus(window, nominativo);
        QTest::keyClick(nominativo, Qt::Key_End);
        ModalAnswers none;  // any box that came up would be reported
        QTest::keyClick(nominativo, 'X');
        QCOMPARE(nominativo->text(), QStringLiteral("N0CALL"));
        QVERIFY(none.errors().isEmpty());
        QVERIFY(!nominativo->isReadOnly());
    }

    void pasteAndDropOfARefusedCharacterInsertNothing()
    {
        TForm1 window;
        QVERIFY(OpenLoaded(window));
        FilteredLineEdit* testo = Edit(window, "EditTesto");
        Focus(window, testo);
        QGuiApplication::clipboard()->setText(QString::fromUtf8("caff\xC3\xA8"));
        BoxSeen pasted;
        {
            ModalAnswers answers;
            answers.pressInBox(QMessageBox::Ok, &pasted);
            QTest::keyClick(testo, Qt::Key_Insert, Qt::ShiftModifier);
        }
        QVERIFY(pasted.shown);
        QVERIFY(pasted.text.startsWith(QString::fromUtf8("Il carattere: ' \xC3\xA8 '")));
        QCOMPARE(testo->text(), QStringLiteral("CQ"));

        testo->setReadOnly(false);
        QMimeData data;
        data.setText(QString::fromUtf8("\xC3\xB1"));
        BoxSeen dropped;
        {
            ModalAnswers answers;
            answers.pressInBox(QMessageBox::Ok, &dropped);
            const QPoint at(testo->width() - 4, testo->height() / 2);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(testo, &enter);
            QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(testo, &drop);
        }
        QVERIFY(dropped.shown);
        QCOMPARE(testo->text(), QStringLiteral("CQ"));
    }
};

QTEST_MAIN(TextFilterTest)
#include "tst_TextFilter.moc"
