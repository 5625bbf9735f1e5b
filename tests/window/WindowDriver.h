#pragma once

// Drives the main window as a user does: answers the modal dialogs and boxes that a command
// opens (from inside the command's own nested event loop), and writes firmware files to open.

#include "firmware/FirmwareFormat.h"
#include "TestText.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class QFileDialog;
class TForm1;

// What a message box showed before it was answered.
struct BoxSeen {
    bool shown = false;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// What a file dialog showed before it was answered.
struct FileDialogSeen {
    bool shown = false;
    QString title;
    QString objectName;
    QString proposedFile;  // the full name the dialog held when it came up
    QStringList nameFilters;
    bool completerPopupVisible = false;
    bool nameFieldHasFocus = false;
    bool activeOnItsOwn = false;  // it took the keyboard when it came up
};

// Answers, in order, each modal widget that comes up while it lives. A modal widget nobody
// expected is rejected and reported, so a wrong road fails the test instead of hanging it.
// Keep one alive per command: two alive at once would both answer.
class ModalAnswers : public QObject {
public:
    using Step = std::function<void(QWidget* modal)>;

    ModalAnswers();

    // Types `name` into the file dialog's name field and presses its accept button.
    ModalAnswers& fillFileDialog(const QString& name, FileDialogSeen* seen = nullptr);
    // Types `name` key by key into the file dialog's name field and presses Enter there.
    ModalAnswers& typeIntoFileDialog(const QString& name, FileDialogSeen* seen = nullptr);
    // Closes the file dialog with Escape.
    ModalAnswers& cancelFileDialog(FileDialogSeen* seen = nullptr);
    // Reads the message box and clicks one of its buttons.
    ModalAnswers& pressInBox(QMessageBox::StandardButton button, BoxSeen* seen = nullptr);

    const QStringList& errors() const { return errors_; }
    // The errors, and a line for the expected widgets that never came up: empty when every
    // step was taken as planned.
    QStringList problems() const;

private:
    void poll();

    static constexpr qint64 kClickIntoAfter = 300;   // ms
    static constexpr qint64 kActivationWait = 3000;  // ms

    QTimer timer_;
    QPointer<QWidget> lastAnswered_;
    QPointer<QWidget> waitingFor_;
    QElapsedTimer waiting_;
    bool clickedInto_ = false;
    bool activeOnItsOwn_ = false;
    std::deque<Step> steps_;
    QStringList errors_;
};

// The sixteen EEPROM records that carry `block`.
std::vector<std::string> EepromLines(const firmware::ConfigBlock& block);
// The sixteen EEPROM records for `settings`, as the firmware library builds them.
using testfiles::EepromLines;

// Program lines of a firmware file before its EEPROM records; `mark` makes them tell apart
// one file from another. The signature record is among them.
std::vector<std::string> ProgramLines(unsigned char mark);

// The configuration-word record that follows the EEPROM records in the files written here.
std::string ConfigWordLine();

// A whole firmware file: program lines, the given EEPROM lines, the configuration-word record
// and the end record, each line ended by CR LF.
std::string FirmwareText(const std::vector<std::string>& programLines,
                         const std::vector<std::string>& eepromLines);

// Writes a whole firmware file for `settings` at `path`; `mark` as in ProgramLines.
void WriteFirmware(const QString& path, const firmware::GeneratorSettings& settings, unsigned char mark = 1);

// Whole-file write and read; both throw when the file cannot be written or read.
void WriteFile(const QString& path, const std::string& content);
std::string ReadFile(const QString& path);

// The window's control of that name (null if there is none).
template <class T>
T* Find(const QObject& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

// Shows the window and waits until it has the keyboard, as a user waits for it.
bool ShowAndActivate(TForm1& window);

// Gives the window the keyboard again after a dialog, as a click on it would: offscreen there
// is no window manager to hand it back.
bool Reactivate(TForm1& window);

// Opens `path` through the open button and its dialog, and waits until the window has the
// keyboard again. Returns what went wrong, if anything.
QStringList OpenThroughDialog(TForm1& window, const QString& path);

// Shows the window, waits until it has the keyboard, and opens `path` as OpenThroughDialog
// does. Returns what went wrong, if anything.
QStringList ShowAndOpen(TForm1& window, const QString& path);

// Writes a firmware file for `settings` at `path` as WriteFirmware does, then shows the
// window and opens it as ShowAndOpen does.
QStringList WriteAndOpen(TForm1& window, const QString& path, const firmware::GeneratorSettings& settings,
                         unsigned char mark);
