#include "UserActions.h"

#include "FixedLook.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include <unistd.h>

Answers::Answers(std::vector<Step> steps) : steps_(steps.begin(), steps.end())
{
    QApplication::instance()->installEventFilter(this);
}

Answers::~Answers()
{
    EXPECT_TRUE(unexpected_.isEmpty()) << "unexpected: " << unexpected_.join(", ").toStdString();
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " expected dialog or box never came up";
}

// A modal widget shown is answered from a fresh event, once the call that showed it waits.
bool Answers::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show && widget != nullptr && widget->isWindow() && widget->isModal())
        QTimer::singleShot(0, this, [this, modal = QPointer<QWidget>(widget)] { Answer(modal); });
    return false;
}

void Answers::Answer(const QPointer<QWidget>& modal)
{
    // A modal widget whose step still runs is dealing with its answer, whatever it shows meanwhile.
    if (modal == nullptr || !modal->isVisible() || answering_.contains(modal.data()))
        return;
    if (steps_.empty()) {
        unexpected_ << modal->metaObject()->className() + QStringLiteral(" \"") + modal->windowTitle() + '"';
        if (auto* dialog = qobject_cast<QDialog*>(modal.data()))
            dialog->reject();
        return;
    }
    const Step step = steps_.front();
    steps_.pop_front();
    const QWidget* asked = modal.data();
    answering_.insert(asked);
    // Offscreen no window manager gives a dialog the keyboard back once a box over it has
    // closed; a user would click into it.
    modal->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([modal] { return modal == nullptr || QApplication::activeWindow() == modal; }));
    if (modal != nullptr)
        step(*modal);
    answering_.remove(asked);
    if (modal != nullptr && modal->isVisible())
        QTimer::singleShot(0, this, [this, modal] { Answer(modal); });
}

Answers::Step TypeFileName(const QString& name)
{
    return [name](QWidget& dialog) {
        auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(field, nullptr);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, name);
        QTest::keyClick(field, Qt::Key_Return);
    };
}

Answers::Step PressEscape()
{
    return [](QWidget& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); };
}

Answers::Step PressInBox(QMessageBox::StandardButton button, BoxSeen* seen, const QString& picture)
{
    return [button, seen, picture](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(box, nullptr) << "expected a message box, got " << modal.metaObject()->className();
        if (seen != nullptr)
            *seen = {box->windowTitle(), box->text(), box->icon(), box->textFormat()};
        if (!picture.isEmpty())
            ExpectLooksLike(*box, picture);
        QTest::mouseClick(box->button(button), Qt::LeftButton);
    };
}

void ExpectLooksLike(QWidget& widget, const QString& name, const QList<QWidget*>& masked)
{
    QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&shown);
        for (const QWidget* part : masked)
            painter.fillRect(QRect(part->mapTo(&widget, QPoint(0, 0)), part->size()), Qt::magenta);
    }
    const QString file = name + (shown.devicePixelRatio() > 1 ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
    const QImage reference = QImage(QStringLiteral(KELVO_PICTURES "/") + file).convertToFormat(QImage::Format_RGB32);
    // Qt rounds some translucent pixels one level apart on different CPUs; a wrong colour,
    // text, font or a control moved by one pixel differs by far more.
    constexpr int kTolerance = 2;
    const auto near = [](QRgb a, QRgb b) {
        return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))}) <= kTolerance;
    };
    QImage difference = shown.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    bool same = shown.size() == reference.size();
    for (int y = 0; y < std::min(shown.height(), reference.height()); ++y) {
        for (int x = 0; x < std::min(shown.width(), reference.width()); ++x) {
            if (!near(shown.pixel(x, y), reference.pixel(x, y))) {
                difference.setPixel(x, y, qRgb(255, 0, 0));
                same = false;
            }
        }
    }
    if (same)
        return;
    QDir().mkpath(QStringLiteral("pictures"));
    shown.save(QStringLiteral("pictures/") + file);
    difference.save(QStringLiteral("pictures/difference-") + file);
    ADD_FAILURE() << "the window does not look like " << file.toStdString() << ": see "
                  << QDir::current().filePath(QStringLiteral("pictures")).toStdString();
}

std::string FirmwareText(const firmware::GeneratorSettings& settings, std::size_t records)
{
    std::string text = ":020000040000FA\r\n:0400000000280030A4\r\n";
    text += std::string(firmware::kSignatureRecord) + "\r\n";
    const firmware::EepromRecords eeprom = firmware::EncodeEepromRecords(settings);
    for (std::size_t r = 0; r < records; ++r)
        text += firmware::FormatRecordLine(eeprom[r]) + "\r\n";
    return text + ":02400E00F23F7F\r\n" + std::string(firmware::kEndRecord);
}

void WriteFile(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes.data(), qint64(bytes.size())), qint64(bytes.size()));
}

std::string ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(unreadable)");
}

namespace {

// The folder that stands for the user's home and XDG folders while the tests run.
struct Scratch {
    std::string path;
    ~Scratch() { std::filesystem::remove_all(path); }
};

// See UserActions.h.
void PinEnvironment(int& argc, char** argv, Scratch& scratch)
{
    std::vector<std::string> leaked{"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION",
                                    "KDE_FULL_SESSION", "XMODIFIERS"};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::string_view(*entry).starts_with("QT_"))
            leaked.emplace_back(*entry, std::strchr(*entry, '='));
    }
    for (const std::string& name : leaked)
        ::unsetenv(name.c_str());
    scratch.path = (std::filesystem::temp_directory_path() / "kelvo-window-tests.XXXXXX").string();
    if (::mkdtemp(scratch.path.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), scratch.path);
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"})
        ::setenv(name, scratch.path.c_str(), 1);
    ::setenv("FONTCONFIG_FILE", KELVO_FONTS, 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    char** const own = std::stable_partition(argv + 1, argv + argc, [](char* arg) { return arg[0] == '-' || !std::strchr(arg, '='); });
    std::for_each(own, argv + argc, ::putenv);
    argc = int(own - argv);
}

}  // namespace

// One application for all the window tests, with the program's own look.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    Scratch scratch;
    PinEnvironment(argc, argv, scratch);
    QApplication application(argc, argv);
    // A desktop style asked for must be there, or the pictures taken under it prove nothing.
    if (const QString asked = qEnvironmentVariable("QT_STYLE_OVERRIDE");
        !asked.isEmpty() && QApplication::style()->name().compare(asked, Qt::CaseInsensitive) != 0) {
        std::cerr << "the style " << asked.toStdString() << " is not installed; there are "
                  << QStyleFactory::keys().join(u", ").toStdString() << '\n';
        return 1;
    }
    UseFixedLook(application);
    // A steady text cursor, so that a picture does not depend on the moment it is taken.
    QApplication::setCursorFlashTime(0);
    return RUN_ALL_TESTS();
}
