#include "BevelPanel.h"
#include "FormTessel.h"
#include "WindowDriver.h"
#include "firmware/FirmwareFile.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// Sliding text on red, fixed text on black, heights 1 and 2, high speed.
firmware::GeneratorSettings Opened()
{
    return {.slidingText = "OLD TEXT", .fixedText = "N0CALL", .frame = 9, .slidingHeight = 1,
            .fixedHeight = 2, .slidingColour = 2, .fixedColour = 0, .speed = 2};
}

std::string Expected(const std::vector<std::string>& leading, const firmware::GeneratorSettings& settings)
{
    std::string text;
    for (const std::string& line : leading)
        text += line + "\r\n";
    for (const std::string& line : EepromLines(settings))
        text += line + "\r\n";
    // The records after the EEPROM ones are kept; one end record closes the file.
    return text + ConfigWordLine() + "\r\n" + ":00000001FF";
}

// Where two file contents part, for the test's output; empty when they are equal.
QString Difference(const std::string& actual, const std::string& expected)
{
    if (actual == expected)
        return {};
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    const std::size_t from = at < 60 ? 0 : at - 60;
    auto around = [from](const std::string& text) {
        return QString::fromLatin1(text.substr(from, 120).c_str()).replace(QStringLiteral("\r\n"), QStringLiteral("<CRLF>"));
    };
    return QStringLiteral("byte %1 differs (sizes %2, %3)\n actual:   %4\n expected: %5")
        .arg(at).arg(actual.size()).arg(expected.size()).arg(around(actual), around(expected));
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return lines;
}

const char* const kItalianNotOpened = "NESSUN File e` stato APERTO";

}  // namespace

// The save command: what it proposes, the file it writes from the window's controls, the
// overwrite prompt, and what a cancelled or failed save shows.
class SaveCommandTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;

    QString Path(const char* name) const { return dir_->filePath(QString::fromLatin1(name)); }

    QString Write(const char* name, const std::string& content)
    {
        const QString path = Path(name);
        WriteFile(path, content);
        return path;
    }


    static QString Status(const TForm1& window) { return Find<BevelPanel>(window, "Panel4")->caption(); }
    static int Flag(const TForm1& window) { return Find<BevelPanel>(window, "Panel4")->property("Tag").toInt(); }

private slots:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    void saveWritesTheEditedControlsUnderANewName()
    {
        const std::string original = FirmwareText(ProgramLines(0x11), EepromLines(Opened()));
        const QString source = Write("source.hex", original);
        TForm1 window;
        QVERIFY(ShowAndOpen(window, source).isEmpty());

        // Edit as a user: a frame button, the sliding text, a list.
        QTest::mouseClick(window.PulsQuadri[5], Qt::LeftButton);
        auto* text = Find<QLineEdit>(window, "EditTesto");
        QTest::mouseClick(text, Qt::LeftButton);
        text->selectAll();
        QTest::keyClick(text, Qt::Key_Backspace);
        QTest::keyClicks(text, QStringLiteral("CQ"));
        auto* speed = Find<QComboBox>(window, "ComboVelocita");
        QTest::mouseClick(speed, Qt::LeftButton);
        QTest::keyClick(speed, Qt::Key_Up);
        QCOMPARE(speed->currentIndex(), 1);

        const QString target = Path("edited");  // the dialog adds the default suffix
        FileDialogSeen seen;
        ModalAnswers answers;
        answers.fillFileDialog(target, &seen);
        QTest::mouseClick(Find<QToolButton>(window, "ButtonSaveFile"), Qt::LeftButton);
        QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));

        QCOMPARE(seen.objectName, QStringLiteral("SaveDialog1"));
        QCOMPARE(seen.title, QStringLiteral("Scrittura File..."));
        QCOMPARE(seen.nameFilters, QStringList{QStringLiteral("File Caricabile (*.HEX)")});
        QCOMPARE(seen.proposedFile, source);
        QVERIFY(!seen.completerPopupVisible);
        QVERIFY(seen.nameFieldHasFocus);
        QVERIFY(seen.activeOnItsOwn);

        const QString written = target + QStringLiteral(".hex");
        QCOMPARE(Status(window), written);
        QCOMPARE(Flag(window), 1);
        firmware::GeneratorSettings edited = Opened();
        edited.slidingText = "CQ";
        edited.frame = 5;
        edited.speed = 1;
        const std::string content = ReadFile(written);
        const std::string expected = Expected(ProgramLines(0x11), edited);
        QVERIFY2(content == expected, qPrintable(Difference(content, expected)));
        // Two records worked out by hand: the text "CQ", and frame 5 with heights 2 and 1,
        // red behind the sliding text, black behind the call sign, normal speed.
        const std::vector<std::string> lines = Lines(content);
        QCOMPARE(lines.size(), std::size_t(4 + 16 + 1 + 1));
        QCOMPARE(lines[4], std::string(":10420000430051008000800080008000800080001A"));
        QCOMPARE(lines[19], std::string(":1042F000800080008000800005001200280002007D"));
        QCOMPARE(lines.back(), std::string(":00000001FF"));

        QCOMPARE(ReadFile(source), original);
        QVERIFY(!QFileInfo::exists(Path("edited.Tmp")));
    }

    void savingOverTheOpenedFileAsksFirst()
    {
        const std::string original = FirmwareText(ProgramLines(0x22), EepromLines(Opened()));
        const QString source = Write("same.hex", original);
        TForm1 window;
        QVERIFY(ShowAndOpen(window, source).isEmpty());
        QTest::mouseClick(window.PulsQuadri[14], Qt::LeftButton);

        // First "No": the dialog stays, then is cancelled; nothing is written.
        BoxSeen refused;
        {
            ModalAnswers no;
            no.fillFileDialog(source).pressInBox(QMessageBox::No, &refused).cancelFileDialog();
            QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
            QVERIFY2(no.problems().isEmpty(), qPrintable(no.problems().join('\n')));
        }
        QVERIFY(refused.shown);
        QVERIFY2(refused.text.contains(QStringLiteral("same.hex")), qPrintable(refused.text));
        QCOMPARE(ReadFile(source), original);
        QCOMPARE(Status(window), source);

        // Then "Yes": the file is replaced by the new content, and no temporary file stays.
        QVERIFY(Reactivate(window));
        ModalAnswers yes;
        yes.fillFileDialog(source).pressInBox(QMessageBox::Yes);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(yes.problems().isEmpty(), qPrintable(yes.problems().join('\n')));
        firmware::GeneratorSettings edited = Opened();
        edited.frame = 14;
        const std::string written = ReadFile(source);
        const std::string expected = Expected(ProgramLines(0x22), edited);
        QVERIFY2(written == expected, qPrintable(Difference(written, expected)));
        QCOMPARE(Status(window), source);
        QCOMPARE(Flag(window), 1);
        QVERIFY(!QFileInfo::exists(Path("same.Tmp")));
    }

    void cancelledSaveTouchesNothing()
    {
        const std::string original = FirmwareText(ProgramLines(0x33), EepromLines(Opened()));
        const QString source = Write("keep.hex", original);
        TForm1 window;
        QVERIFY(ShowAndOpen(window, source).isEmpty());
        QTest::mouseClick(window.PulsQuadri[3], Qt::LeftButton);

        ModalAnswers answers;
        answers.cancelFileDialog();
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));
        QCOMPARE(ReadFile(source), original);
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.hex")});
        QCOMPARE(Status(window), source);
        QCOMPARE(Flag(window), 1);
    }

    // After a valid A and a rejected B, the save proposes A and copies A's lines: B was
    // called not valid, so its program lines are never written under A's settings.
    void saveSourceIsTheLastAcceptedFile()
    {
        const QString a = Write("a.hex", FirmwareText(ProgramLines(0xA1), EepromLines(Opened())));
        std::vector<std::string> fifteen = EepromLines(Opened());
        fifteen.pop_back();
        const QString b = Write("b.hex", FirmwareText(ProgramLines(0xB2), fifteen));
        TForm1 window;
        QVERIFY(ShowAndOpen(window, a).isEmpty());
        {
            ModalAnswers rejectB;
            rejectB.fillFileDialog(b).pressInBox(QMessageBox::Ok);
            QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
            QVERIFY2(rejectB.problems().isEmpty(), qPrintable(rejectB.problems().join('\n')));
        }

        QVERIFY(Reactivate(window));
        const QString target = Path("c.hex");
        FileDialogSeen seen;
        ModalAnswers save;
        save.fillFileDialog(target, &seen);
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY2(save.problems().isEmpty(), qPrintable(save.problems().join('\n')));
        QCOMPARE(seen.proposedFile, a);
        const std::string written = ReadFile(target);
        const std::string expected = Expected(ProgramLines(0xA1), Opened());
        QVERIFY2(written == expected, qPrintable(Difference(written, expected)));
        QCOMPARE(Status(window), target);
    }

    // A save the file layer could not carry out shows the not-opened notice, never the name.
    void failedSaveShowsTheNotOpenedNotice_data()
    {
        QTest::addColumn<bool>("sourceVanishes");
        QTest::newRow("folder where the temporary file goes") << false;
        QTest::newRow("source removed since it was opened") << true;
    }

    void failedSaveShowsTheNotOpenedNotice()
    {
        QFETCH(bool, sourceVanishes);
        const QString source = Write("gone.hex", FirmwareText(ProgramLines(0x44), EepromLines(Opened())));
        TForm1 window;
        QVERIFY(ShowAndOpen(window, source).isEmpty());
        const QString target = Path("out.hex");
        if (sourceVanishes)
            QVERIFY(QFile::remove(source));
        else
            QVERIFY(QDir().mkpath(QString::fromStdString(firmware::TemporaryNameFor(target.toStdString()))));

        ModalAnswers answers;
        answers.fillFileDialog(target);
        QTest::mouseClick(Find<QToolButton>(window, "ButtonSaveFile"), Qt::LeftButton);
        QVERIFY2(answers.problems().isEmpty(), qPrintable(answers.problems().join('\n')));

        QCOMPARE(Status(window), QString::fromLatin1(kItalianNotOpened));
        QCOMPARE(Flag(window), 0);
        QVERIFY(!QFileInfo::exists(target));
        // The commands stay usable for another try.
        QVERIFY(Find<QToolButton>(window, "ButtonSaveFile")->isEnabled());
    }
};

QTEST_MAIN(SaveCommandTest)
#include "tst_SaveCommand.moc"
