#pragma once

// What the window tests do as a user would: answer the modal dialogs and boxes that a command
// opens, compare what the window shows with reference pictures, and make firmware files.
// Every window test runs in this file's main(), which pins what the pictures depend on
// whether ctest runs it or a contributor by hand: the offscreen platform, the tests' own
// fonts (tests/fonts.conf), a scratch home and XDG folders, and no Qt or desktop-session
// variable of the user's. A test asks for a variable itself with an argument NAME=value
// after the Google Test flags (window_tests QT_SCALE_FACTOR=2).

#include "firmware/FirmwareFormat.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Answers, in order, each modal widget shown while it lives; a dialog still up once its step
// is done (a box it brought up answered too) asks again. A modal widget that no step expects
// is rejected and reported, so that a wrong road fails instead of hanging.
class Answers : public QObject {
public:
    using Step = std::function<void(QWidget& modal)>;

    explicit Answers(std::vector<Step> steps = {});
    ~Answers() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Answer(const QPointer<QWidget>& modal);

    std::deque<Step> steps_;
    QSet<const QWidget*> answering_;
    QStringList unexpected_;
};

// What a message box said before it was answered.
struct BoxSeen {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
};

// Steps: type a name into a file dialog and press Enter; press Escape; read a message box and
// press one of its buttons (a reference picture of the box is compared first when named).
Answers::Step TypeFileName(const QString& name);
Answers::Step PressEscape();
Answers::Step PressInBox(QMessageBox::StandardButton button, BoxSeen* seen = nullptr,
                         const QString& picture = {});

// Compares what the widget shows with the reference picture of that name (name@2x at scale
// 2); the masked widgets are blanked first, where what they show differs from run to run.
// A difference leaves the new picture and a difference picture in the working folder.
void ExpectLooksLike(QWidget& widget, const QString& name, const QList<QWidget*>& masked = {});

// A firmware file for the settings: program records, the signature, the EEPROM records
// (the first `records` of them), the configuration word and the end record; CR LF line ends
// and none after the end record, as a save writes it.
std::string FirmwareText(const firmware::GeneratorSettings& settings, std::size_t records = 16);
void WriteFile(const QString& path, const std::string& bytes);
std::string ReadFile(const QString& path);

// Test failures show Qt's strings as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
