#include "FormTessel.h"
#include "WindowDriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Ending the program: Esci, Ctrl+X (also from inside a text field) and closing the window
// end the event loop at once, with exit code 0 and no question.
class ExitTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    // Runs the program's event loop, doing `act` from inside it; the loop's exit code, or -1
    // if the program did not end.
    static int RunLoopAndDo(const std::function<void()>& act)
    {
        QTimer::singleShot(0, act);
        QTimer::singleShot(10000, [] { QCoreApplication::exit(-1); });
        return QApplication::exec();
    }

    void OpenSomeFile(TForm1& window)
    {
        const firmware::GeneratorSettings settings{.slidingText = "SOME TEXT", .fixedText = ""};
        const QStringList errors = WriteAndOpen(window, dir_.filePath(QStringLiteral("exit.hex")), settings, 0x66);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void ctrlXInATextFieldEndsTheProgram_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("EditTesto") << QStringLiteral("EditTesto");
        QTest::newRow("EditNominativo") << QStringLiteral("EditNominativo");
    }

    void ctrlXInATextFieldEndsTheProgram()
    {
        QFETCH(QString, field);
        TForm1 window;
        OpenSomeFile(window);
        auto* edit = window.findChild<QLineEdit*>(field);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, QStringLiteral("AB"));
        edit->selectAll();  // a selection a cut would take
        const QString before = edit->text();
        QVERIFY(!before.isEmpty());

        ModalAnswers answers;  // nothing may be asked
        QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
        const int code = RunLoopAndDo([edit] { QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier); });
        QCOMPARE(code, 0);
        QCOMPARE(quitting.count(), 1);
        QCOMPARE(edit->text(), before);
        QVERIFY2(answers.errors().isEmpty(), qPrintable(answers.errors().join('\n')));
    }

    void esciFromTheMenuEndsTheProgram()
    {
        TForm1 window;
        OpenSomeFile(window);
        QMenuBar* bar = window.menuBar();
        auto* file = window.findChild<QMenu*>(QStringLiteral("File1"));
        auto* exit = window.findChild<QAction*>(QStringLiteral("Exit1"));
        ModalAnswers answers;
        const int code = RunLoopAndDo([bar, file, exit] {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file->menuAction()).center());
            QTimer::singleShot(0, [file, exit] {
                if (file->isVisible())
                    QTest::mouseClick(file, Qt::LeftButton, {}, file->actionGeometry(exit).center());
            });
        });
        QCOMPARE(code, 0);
        QVERIFY2(answers.errors().isEmpty(), qPrintable(answers.errors().join('\n')));
    }

    void closingTheWindowEndsTheProgram()
    {
        TForm1 window;
        OpenSomeFile(window);
        ModalAnswers answers;
        QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
        const int code = RunLoopAndDo([&window] { window.close(); });
        QCOMPARE(code, 0);
        QCOMPARE(quitting.count(), 1);
        QVERIFY2(answers.errors().isEmpty(), qPrintable(answers.errors().join('\n')));
    }
};

QTEST_MAIN(ExitTest)
#include "tst_Exit.moc"
