#include "UserActions.h"

#include "FixedLook.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

Answers::Answers(std::vector<Step> steps) : steps_(steps.begin(), steps.end())
{
    connect(&timer_, &QTimer::timeout, this, &Answers::Poll);
    timer_.start(10);
}

Answers::~Answers()
{
    EXPECT_TRUE(unexpected_.isEmpty()) << "unexpected: " << unexpected_.join(", ").toStdString();
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " expected dialog or box never came up";
}

void Answers::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == answered_ || !modal->isVisible() || modal->property("answering").toBool())
        return;
    answered_ = modal;
    if (steps_.empty()) {
        unexpected_ << modal->metaObject()->className() + QStringLiteral(" \"") + modal->windowTitle() + '"';
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        return;
    }
    // From a fresh event: a step that opens a further box blocks until that box is answered.
    // Offscreen no window manager gives a dialog the keyboard back once a box over it has
    // closed; a user would click into it.
    const Step step = steps_.front();
    steps_.pop_front();
    QTimer::singleShot(0, modal, [step, modal] {
        modal->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([modal] { return QApplication::activeWindow() == modal; }));
        // While its step runs, a box the step opened can close and leave this widget the
        // active one for a moment before the step is done with it: no new question.
        const QPointer<QWidget> answering(modal);
        modal->setProperty("answering", true);
        step(*modal);
        if (answering != nullptr)
            answering->setProperty("answering", false);
    });
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
    if (shown.size() == reference.size() && shown == reference)
        return;
    QDir().mkpath(QStringLiteral("pictures"));
    shown.save(QStringLiteral("pictures/") + file);
    QImage difference = shown.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < std::min(shown.height(), reference.height()); ++y) {
        for (int x = 0; x < std::min(shown.width(), reference.width()); ++x) {
            if (shown.pixel(x, y) != reference.pixel(x, y))
                difference.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
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

// One application for all the window tests, with the program's own look.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    UseFixedLook(application);
    // A steady text cursor, so that a picture does not depend on the moment it is taken.
    QApplication::setCursorFlashTime(0);
    return RUN_ALL_TESTS();
}
