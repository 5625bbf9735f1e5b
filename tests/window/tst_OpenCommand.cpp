#include "BevelPanel.h"
#include "FormTessel.h"
#include "ShapeWidget.h"
#include "WindowDriver.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

firmware::GeneratorSettings Typical()
{
    return {.slidingText = "CQ CQ DE N0CALL ~ TEST", .fixedText = "N0CALL", .frame = 12,
            .slidingHeight = 1, .fixedHeight = 2, .slidingColour = 2, .fixedColour = 5, .speed = 2};
}

using testfiles::BlockOf;

const char* const kItalianPrompt = "Cliccare sull' icona di sinistra per aprire il file";
const char* const kItalianNotOpened = "NESSUN File e` stato APERTO";

}  // namespace

// The open command: the dialog, the values a valid file puts into the window, and what a
// rejected or unreadable file shows.
class OpenCommandTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString Write(const char* name, const std::string& content)
    {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        WriteFile(path, content);
        return path;
    }


    // Everything that a rejected or unreadable file must leave as it was.
    struct Shown {
        QString text, callSign, dimScorr, dimFisso, velocita;
        int frame = 0, colScorr = 0, colFisso = 0;
        QList<bool> pressed;
        bool saveEnabled = false;
        bool operator==(const Shown&) const = default;
    };
    static Shown Snapshot(const TForm1& window)
    {
        Shown shown;
        shown.text = Find<QLineEdit>(window, "EditTesto")->text();
        shown.callSign = Find<QLineEdit>(window, "EditNominativo")->text();
        shown.dimScorr = Find<QComboBox>(window, "ComboDimScorr")->currentText();
        shown.dimFisso = Find<QComboBox>(window, "ComboDimFisso")->currentText();
        shown.velocita = Find<QComboBox>(window, "ComboVelocita")->currentText();
        shown.frame = window.QuadroCorrente;
        shown.colScorr = window.ColSfoScorr;
        shown.colFisso = window.ColSfoFisso;
        for (const QToolButton* button : window.PulsQuadri)
            shown.pressed << button->isChecked();
        shown.saveEnabled = Find<QToolButton>(window, "ButtonSaveFile")->isEnabled() &&
                            Find<QAction>(window, "Save1")->isEnabled() &&
                            Find<QGroupBox>(window, "GroupTestoScorrevole")->isEnabled();
        return shown;
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void validFilePutsItsSettingsIntoEveryControl()
    {
        const QString path = Write("valid.hex", FirmwareText(ProgramLines(1), EepromLines(Typical())));
        TForm1 window;
        QVERIFY(ShowAndActivate(window));
        FileDialogSeen seen;
        ModalAnswers answers;
        answers.fillFileDialog(path, &seen);
        QTest::mouseClick(Find<QToolButton>(window, "ButtonOpenFile"), Qt::LeftButton);
        QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));

        QCOMPARE(seen.objectName, QStringLiteral("OpenDialog1"));
        QCOMPARE(seen.title, QStringLiteral("Apertura File..."));
        QCOMPARE(seen.nameFilters, QStringList{QStringLiteral("File Caricabile (*.HEX)")});
        QVERIFY(seen.nameFieldHasFocus);
        QVERIFY(seen.activeOnItsOwn);

        QCOMPARE(Find<BevelPanel>(window, "Panel4")->caption(), path);
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->property("Tag").toInt(), 1);
        QCOMPARE(Find<QLineEdit>(window, "EditTesto")->text(), QStringLiteral("CQ CQ DE N0CALL ~ TEST"));
        QCOMPARE(Find<QLineEdit>(window, "EditNominativo")->text(), QStringLiteral("N0CALL"));
        QCOMPARE(window.QuadroCorrente, 12);
        for (int frame = 0; frame < 16; ++frame)
            QCOMPARE(window.PulsQuadri[std::size_t(frame)]->isChecked(), frame == 12);
        QCOMPARE(Find<QComboBox>(window, "ComboDimFisso")->currentIndex(), 2);
        QCOMPARE(Find<QComboBox>(window, "ComboDimFisso")->currentText(), QStringLiteral("Altezza Normale"));
        QCOMPARE(Find<QComboBox>(window, "ComboDimScorr")->currentIndex(), 1);
        QCOMPARE(Find<QComboBox>(window, "ComboDimScorr")->currentText(), QStringLiteral("Altezza Media"));
        QCOMPARE(Find<QComboBox>(window, "ComboVelocita")->currentIndex(), 2);
        QCOMPARE(Find<QComboBox>(window, "ComboVelocita")->currentText(), QStringLiteral("Velocita' Alta"));
        QCOMPARE(window.ColSfoScorr, 2);
        QCOMPARE(Find<ShapeWidget>(window, "ShapeSfondoTesto")->brushColor(), QColor(0xFF, 0x00, 0x00));
        QCOMPARE(window.ColSfoFisso, 5);
        QCOMPARE(Find<ShapeWidget>(window, "ShapeSfondoNominativo")->brushColor(), QColor(0x00, 0xFF, 0xFF));

        for (const char* name : {"GroupTestoScorrevole", "GroupTestoFisso", "GroupQuadri", "GroupDi"})
            QVERIFY2(Find<QGroupBox>(window, name)->isEnabled(), name);
        QVERIFY(Find<QToolButton>(window, "ButtonSaveFile")->isEnabled());
        QVERIFY(Find<QAction>(window, "Save1")->isEnabled());
        QVERIFY(!Find<BevelPanel>(window, "TavolaColore")->isVisible());
        QCOMPARE(window.SaveSource(), path);
    }

    void storedFieldsAreReadByTheirBits_data()
    {
        QTest::addColumn<int>("byteIndex");
        QTest::addColumn<int>("byteValue");
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("colScorr");
        QTest::addColumn<int>("colFisso");
        QTest::addColumn<int>("speed");
        // Typical(): frame 12, sliding red (2), fixed aqua (5), speed high (2).
        QTest::newRow("frame 0x13 selects frame 3") << 124 << 0x13 << 3 << 2 << 5 << 2;
        QTest::newRow("colours 0x88 are black for both") << 126 << 0x88 << 12 << 0 << 0 << 2;
        QTest::newRow("speed byte 3 is normal") << 127 << 3 << 12 << 2 << 5 << 1;
        QTest::newRow("speed byte 0 is high") << 127 << 0 << 12 << 2 << 5 << 2;
        QTest::newRow("speed byte 4 is high") << 127 << 4 << 12 << 2 << 5 << 2;
        QTest::newRow("speed byte 1 is slow") << 127 << 1 << 12 << 2 << 5 << 0;
    }

    void storedFieldsAreReadByTheirBits()
    {
        QFETCH(int, byteIndex);
        QFETCH(int, byteValue);
        firmware::ConfigBlock block = BlockOf(Typical());
        block[std::size_t(byteIndex)] = static_cast<std::uint8_t>(byteValue);
        const QString path = Write("bits.hex", FirmwareText(ProgramLines(2), EepromLines(block)));
        TForm1 window;
        const QStringList errors = ShowAndOpen(window, path);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));

        QFETCH(int, frame);
        QFETCH(int, colScorr);
        QFETCH(int, colFisso);
        QFETCH(int, speed);
        QCOMPARE(window.QuadroCorrente, frame);
        for (int n = 0; n < 16; ++n)
            QCOMPARE(window.PulsQuadri[std::size_t(n)]->isChecked(), n == frame);
        QCOMPARE(window.ColSfoScorr, colScorr);
        QCOMPARE(window.ColSfoFisso, colFisso);
        const firmware::RgbColour scorr = firmware::ColourOfCode(colScorr);
        QCOMPARE(Find<ShapeWidget>(window, "ShapeSfondoTesto")->brushColor(), QColor(scorr.red, scorr.green, scorr.blue));
        const firmware::RgbColour fisso = firmware::ColourOfCode(colFisso);
        QCOMPARE(Find<ShapeWidget>(window, "ShapeSfondoNominativo")->brushColor(),
                 QColor(fisso.red, fisso.green, fisso.blue));
        QCOMPARE(Find<QComboBox>(window, "ComboVelocita")->currentIndex(), speed);
    }

    void rejectedFileShowsTheErrorBoxThenThePrompt_data()
    {
        QTest::addColumn<QByteArray>("content");
        std::vector<std::string> fifteen = EepromLines(Typical());
        fifteen.pop_back();
        std::vector<std::string> noSignature = ProgramLines(3);
        noSignature.pop_back();
        std::vector<std::string> seventeen = EepromLines(Typical());
        seventeen.push_back(seventeen.back());
        QTest::newRow("fifteen EEPROM records")
            << QByteArray::fromStdString(FirmwareText(ProgramLines(3), fifteen));
        QTest::newRow("seventeen EEPROM records")
            << QByteArray::fromStdString(FirmwareText(ProgramLines(3), seventeen));
        QTest::newRow("no signature record")
            << QByteArray::fromStdString(FirmwareText(noSignature, EepromLines(Typical())));
    }

    void rejectedFileShowsTheErrorBoxThenThePrompt()
    {
        QFETCH(QByteArray, content);
        const QString path = Write("rejected.hex", content.toStdString());
        TForm1 window;
        QVERIFY(ShowAndActivate(window));
        BoxSeen box;
        ModalAnswers answers;
        answers.fillFileDialog(path).pressInBox(QMessageBox::Ok, &box);
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));

        QVERIFY(box.shown);
        QCOMPARE(box.text, QStringLiteral("Il FILE ") + path + QStringLiteral("\n\rNON contiene dati VALIDI !!!"));
        QCOMPARE(box.title, QStringLiteral("ERRORE !"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->caption(), QString::fromLatin1(kItalianPrompt));
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->property("Tag").toInt(), 0);
        QVERIFY(!Find<QToolButton>(window, "ButtonSaveFile")->isEnabled());
        QVERIFY(!Find<QGroupBox>(window, "GroupQuadri")->isEnabled());
    }

    void rejectedFileAfterAValidOneKeepsItsValuesAndSaving()
    {
        const QString valid = Write("first.hex", FirmwareText(ProgramLines(4), EepromLines(Typical())));
        std::vector<std::string> fifteen = EepromLines(firmware::GeneratorSettings{});
        fifteen.pop_back();
        const QString rejected = Write("second.hex", FirmwareText(ProgramLines(5), fifteen));
        TForm1 window;
        QVERIFY(ShowAndOpen(window, valid).isEmpty());
        const Shown before = Snapshot(window);
        QVERIFY(before.saveEnabled);

        ModalAnswers answers;
        answers.fillFileDialog(rejected).pressInBox(QMessageBox::Ok);
        QTest::mouseClick(Find<QToolButton>(window, "ButtonOpenFile"), Qt::LeftButton);
        QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));

        QVERIFY(Snapshot(window) == before);
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->caption(), QString::fromLatin1(kItalianPrompt));
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->property("Tag").toInt(), 0);
        // The file a save copies from stays the accepted one.
        QCOMPARE(window.SaveSource(), valid);
    }

    void unreadableFileShowsTheNoticeOnly()
    {
        const QString valid = Write("kept.hex", FirmwareText(ProgramLines(6), EepromLines(Typical())));
        TForm1 window;
        QVERIFY(ShowAndOpen(window, valid).isEmpty());
        const Shown before = Snapshot(window);

        const QString missing = dir_.filePath(QStringLiteral("missing.hex"));
        ModalAnswers answers;  // no box may follow the dialog
        answers.fillFileDialog(missing);
        QTest::keyClick(Find<QLineEdit>(window, "EditTesto"), Qt::Key_O, Qt::ControlModifier);
        QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));

        QCOMPARE(Find<BevelPanel>(window, "Panel4")->caption(), QString::fromLatin1(kItalianNotOpened));
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->property("Tag").toInt(), 0);
        QVERIFY(Snapshot(window) == before);
        QCOMPARE(window.SaveSource(), valid);
    }

    void cancelledOpenChangesNothing()
    {
        const QString valid = Write("cancel.hex", FirmwareText(ProgramLines(7), EepromLines(Typical())));
        TForm1 window;
        QVERIFY(ShowAndOpen(window, valid).isEmpty());
        const Shown before = Snapshot(window);

        FileDialogSeen seen;
        ModalAnswers answers;
        answers.cancelFileDialog(&seen);
        QTest::mouseClick(Find<QToolButton>(window, "ButtonOpenFile"), Qt::LeftButton);
        QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));

        // The dialog came up holding the file chosen last.
        QCOMPARE(seen.proposedFile, valid);
        QVERIFY(Snapshot(window) == before);
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->caption(), valid);
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->property("Tag").toInt(), 1);
    }

    // Typing a name brings up the name field's completion list; nothing of the dialog may stay
    // on screen over the window once the file is chosen.
    void typedNameLeavesNothingOfTheDialogBehind()
    {
        const QString path = Write("typed.hex", FirmwareText(ProgramLines(9), EepromLines(Typical())));
        TForm1 window;
        QVERIFY(ShowAndActivate(window));
        {
            ModalAnswers answers;
            answers.typeIntoFileDialog(path);
            QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
            QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));
        }
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->caption(), path);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QVERIFY(Reactivate(window));
        // The window takes the keyboard again: Ctrl+S brings up the save dialog.
        ModalAnswers save;
        save.cancelFileDialog();
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(save.problems().isEmpty(), qPrintable(save.problems().join('\n')));
    }

    void cancelledFirstOpenLeavesTheStartState()
    {
        TForm1 window;
        QVERIFY(ShowAndActivate(window));
        ModalAnswers answers;
        answers.cancelFileDialog();
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));
        QCOMPARE(Find<BevelPanel>(window, "Panel4")->caption(),
                 QString::fromLatin1(kItalianPrompt) + QLatin1Char(' '));
        QVERIFY(!Find<QGroupBox>(window, "GroupTestoScorrevole")->isEnabled());
        QVERIFY(!Find<QAction>(window, "Save1")->isEnabled());
    }

    void textFieldsTakeNoMoreThanTheirLimit()
    {
        const QString valid = Write("limits.hex", FirmwareText(ProgramLines(8), EepromLines(firmware::GeneratorSettings{})));
        TForm1 window;
        QVERIFY(ShowAndOpen(window, valid).isEmpty());
        auto* text = Find<QLineEdit>(window, "EditTesto");
        auto* callSign = Find<QLineEdit>(window, "EditNominativo");
        QVERIFY(text->text().isEmpty());

        QTest::mouseClick(text, Qt::LeftButton);
        QTest::keyClicks(text, QString(113, QLatin1Char('a')));
        QCOMPARE(text->text(), QString(112, QLatin1Char('a')));
        QTest::mouseClick(callSign, Qt::LeftButton);
        QTest::keyClicks(callSign, QStringLiteral("N0CALLX"));
        QCOMPARE(callSign->text(), QStringLiteral("N0CALL"));
    }
};

QTEST_MAIN(OpenCommandTest)
#include "tst_OpenCommand.moc"
