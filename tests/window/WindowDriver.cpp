#include "WindowDriver.h"

#include "FormTessel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>


ModalAnswers::ModalAnswers()
{
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, &ModalAnswers::poll);
    timer_.start();
}

QStringList ModalAnswers::problems() const
{
    QStringList problems = errors_;
    if (!steps_.empty())
        problems << QStringLiteral("%1 expected dialog or box never came up").arg(steps_.size());
    return problems;
}

bool ShowAndActivate(TForm1& window)
{
    window.show();
    return QTest::qWaitForWindowActive(&window);
}

bool Reactivate(TForm1& window)
{
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

void ModalAnswers::poll()
{
    if (lastAnswered_ != nullptr && !lastAnswered_->isVisible())
        lastAnswered_ = nullptr;  // a dialog shown again later is a new question
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal == lastAnswered_ || !modal->isVisible())
        return;
    // A user answers once the dialog has come up and taken the keyboard.
    if (modal != waitingFor_) {
        waitingFor_ = modal;
        waiting_.start();
        clickedInto_ = false;
    }
    if (!modal->isActiveWindow()) {
        // Offscreen no window manager hands the keyboard back to a dialog once a box over it
        // has closed; a user would click into it.
        if (waiting_.elapsed() >= kClickIntoAfter && !clickedInto_) {
            clickedInto_ = true;
            modal->activateWindow();
        }
        if (waiting_.elapsed() < kActivationWait)
            return;
        errors_ << QStringLiteral("%1 never became the active window").arg(modal->metaObject()->className());
    }
    activeOnItsOwn_ = !clickedInto_;
    lastAnswered_ = modal;
    if (steps_.empty()) {
        errors_ << QStringLiteral("unexpected modal %1 \"%2\"").arg(modal->metaObject()->className(), modal->windowTitle());
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        return;
    }
    // Answered from a fresh event: an answer that opens a further modal box would otherwise
    // block this poll, and a timer does not fire again while its own slot runs.
    const Step step = steps_.front();
    steps_.pop_front();
    const QPointer<QWidget> target = modal;
    QTimer::singleShot(0, this, [step, target] {
        if (target != nullptr)
            step(target);
    });
}

namespace {

FileDialogSeen Look(QFileDialog* dialog, bool activeOnItsOwn)
{
    FileDialogSeen seen;
    seen.shown = true;
    seen.activeOnItsOwn = activeOnItsOwn;
    seen.title = dialog->windowTitle();
    seen.objectName = dialog->objectName();
    const QStringList selected = dialog->selectedFiles();
    seen.proposedFile = selected.isEmpty() ? QString() : selected.first();
    seen.nameFilters = dialog->nameFilters();
    if (auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        seen.completerPopupVisible = edit->completer() && edit->completer()->popup()->isVisible();
        seen.nameFieldHasFocus = edit->hasFocus();
    }
    return seen;
}

}  // namespace

ModalAnswers& ModalAnswers::fillFileDialog(const QString& name, FileDialogSeen* seen)
{
    steps_.push_back([this, name, seen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
            errors_ << QStringLiteral("expected a file dialog, got %1").arg(modal->metaObject()->className());
            if (auto* other = qobject_cast<QDialog*>(modal))
                other->reject();
            return;
        }
        if (seen != nullptr)
            *seen = Look(dialog, activeOnItsOwn_);
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (edit == nullptr || buttons == nullptr) {
            errors_ << QStringLiteral("file dialog without name field or buttons");
            dialog->reject();
            return;
        }
        edit->setText(name);
        QPushButton* accept = buttons->button(dialog->acceptMode() == QFileDialog::AcceptSave
                                                  ? QDialogButtonBox::Save
                                                  : QDialogButtonBox::Open);
        if (accept == nullptr) {
            errors_ << QStringLiteral("file dialog without accept button");
            dialog->reject();
            return;
        }
        QTest::mouseClick(accept, Qt::LeftButton);
    });
    return *this;
}

ModalAnswers& ModalAnswers::typeIntoFileDialog(const QString& name, FileDialogSeen* seen)
{
    steps_.push_back([this, name, seen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* edit = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (edit == nullptr) {
            errors_ << QStringLiteral("expected a file dialog with a name field, got %1").arg(modal->metaObject()->className());
            if (auto* other = qobject_cast<QDialog*>(modal))
                other->reject();
            return;
        }
        if (seen != nullptr)
            *seen = Look(dialog, activeOnItsOwn_);
        edit->selectAll();
        QTest::keyClicks(edit, name);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    return *this;
}

ModalAnswers& ModalAnswers::cancelFileDialog(FileDialogSeen* seen)
{
    steps_.push_back([this, seen](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
            errors_ << QStringLiteral("expected a file dialog to cancel, got %1").arg(modal->metaObject()->className());
            if (auto* other = qobject_cast<QDialog*>(modal))
                other->reject();
            return;
        }
        if (seen != nullptr)
            *seen = Look(dialog, activeOnItsOwn_);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    return *this;
}

ModalAnswers& ModalAnswers::pressInBox(QMessageBox::StandardButton button, BoxSeen* seen)
{
    steps_.push_back([this, button, seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            errors_ << QStringLiteral("expected a message box, got %1").arg(modal->metaObject()->className());
            if (auto* other = qobject_cast<QDialog*>(modal))
                other->reject();
            return;
        }
        if (seen != nullptr) {
            seen->shown = true;
            seen->text = box->text();
            seen->title = box->windowTitle();
            seen->icon = box->icon();
        }
        QAbstractButton* target = box->button(button);
        if (target == nullptr) {
            errors_ << QStringLiteral("message box \"%1\" has no such button").arg(box->text());
            box->reject();
            return;
        }
        QTest::mouseClick(target, Qt::LeftButton);
    });
    return *this;
}

std::vector<std::string> EepromLines(const firmware::ConfigBlock& block)
{
    std::vector<std::string> lines;
    for (unsigned r = 0; r < 16; ++r) {
        std::vector<unsigned char> words;
        for (unsigned j = 0; j < 8; ++j) {
            words.push_back(block[8 * r + j]);
            words.push_back(0x00);
        }
        lines.push_back(testfiles::DataRecord(0x4200 + 16 * r, words));
    }
    return lines;
}

std::vector<std::string> ProgramLines(unsigned char mark)
{
    return {
        ":020000040000FA",
        testfiles::DataRecord(0x0000, {0x8A, 0x01, mark, 0x28}),
        testfiles::DataRecord(0x0010, {0x83, 0x16, 0xFF, 0x30, 0x86, 0x00, mark, 0x12}),
        std::string(firmware::kSignatureRecord),
    };
}

std::string ConfigWordLine()
{
    return testfiles::DataRecord(0x400E, {0x72, 0x3F});
}

std::string FirmwareText(const std::vector<std::string>& programLines,
                         const std::vector<std::string>& eepromLines)
{
    return testfiles::FirmwareText(programLines, eepromLines, {ConfigWordLine()}, "\r\n");
}

void WriteFirmware(const QString& path, const firmware::GeneratorSettings& settings, unsigned char mark)
{
    WriteFile(path, FirmwareText(ProgramLines(mark), EepromLines(settings)));
}

void WriteFile(const QString& path, const std::string& content)
{
    testfiles::WriteAll(path.toStdString(), content);
}

std::string ReadFile(const QString& path)
{
    return testfiles::ReadAll(path.toStdString());
}

QStringList OpenThroughDialog(TForm1& window, const QString& path)
{
    ModalAnswers answers;
    answers.fillFileDialog(path);
    QTest::mouseClick(window.findChild<QToolButton*>(QStringLiteral("ButtonOpenFile")), Qt::LeftButton);
    QStringList errors = answers.problems();
    if (!Reactivate(window))
        errors << QStringLiteral("the window did not get the keyboard back");
    return errors;
}

QStringList ShowAndOpen(TForm1& window, const QString& path)
{
    if (!ShowAndActivate(window))
        return {QStringLiteral("the window did not get the keyboard")};
    return OpenThroughDialog(window, path);
}

QStringList WriteAndOpen(TForm1& window, const QString& path, const firmware::GeneratorSettings& settings,
                         unsigned char mark)
{
    WriteFirmware(path, settings, mark);
    return ShowAndOpen(window, path);
}
