// The window as a user meets it: each test is one road through it, checking what the user
// sees along the way.

#include "BevelPanel.h"
#include "FormTessel.h"
#include "UserActions.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using firmware::GeneratorSettings;

const GeneratorSettings kOnFile{.slidingText = "CQ CQ DE IW2ABC", .fixedText = "IW2ABC", .frame = 5,
                                .slidingHeight = 1, .fixedHeight = 2, .slidingColour = 2, .fixedColour = 0,
                                .speed = 1};

class Road : public testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <class T = QWidget>
    T* Find(const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void Click(const char* name) { QTest::mouseClick(Find(name), Qt::LeftButton); }
    // Offscreen no window manager hands the keyboard back to the window after a popup or a
    // dialog; a user would click into it.
    void Keys(QKeyCombination keys, QWidget* into = nullptr)
    {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &window; }));
        QTest::keyClick(into != nullptr ? into : &window, keys.key(), keys.keyboardModifiers());
    }
    QString Status() { return Find<BevelPanel>("Panel4")->caption(); }
    QString Path(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    // Ctrl+O, the name typed into the open dialog, then whatever the open brings up.
    void Open(const QString& path, std::initializer_list<Answers::Step> then = {})
    {
        std::vector<Answers::Step> steps{TypeFileName(path)};
        steps.insert(steps.end(), then);
        Answers answers(steps);
        Keys(Qt::CTRL | Qt::Key_O);
    }

    // Picks an entry of a drop-down list from its open list, as a mouse user does.
    void Pick(const char* list, int position, int entryHeight)
    {
        auto* combo = Find<QComboBox>(list);
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QRect entry = view->visualRect(view->model()->index(position, 0));
        EXPECT_EQ(entry.height(), entryHeight) << list;
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry.center());
    }

    QTemporaryDir folder;
    TForm1 window;
};

// Every text the window and its dialogs carry (not Qt's own texts inside the dialogs), once
// the language change has reached every widget.
QByteArray AllTexts(const QWidget& window)
{
    QCoreApplication::sendPostedEvents();
    QStringList texts;
    for (const QObject* object : window.findChildren<QObject*>()) {
        const QObject* dialog = object->parent();
        while (dialog != nullptr && !qobject_cast<const QFileDialog*>(dialog))
            dialog = dialog->parent();
        if (dialog != nullptr)
            continue;
        for (const char* property : {"windowTitle", "title", "text", "caption", "toolTip", "accessibleName",
                                     "accessibleDescription", "placeholderText", "currentText"}) {
            const QVariant value = object->property(property);
            if (value.isValid() && !value.toString().isEmpty())
                texts << object->objectName() + '.' + property + '=' + value.toString();
        }
        if (const auto* action = qobject_cast<const QAction*>(object); action && action->isChecked())
            texts << action->objectName() + QStringLiteral(" checked");
        if (const auto* list = qobject_cast<const QComboBox*>(object)) {
            for (int position = 0; position < list->count(); ++position)
                texts << list->objectName() + '[' + QString::number(position) + "]=" + list->itemText(position);
        }
        if (const auto* fileDialog = qobject_cast<const QFileDialog*>(object))
            texts << fileDialog->objectName() + ".filters=" + fileDialog->nameFilters().join('|');
    }
    texts.sort();
    return texts.join('\n').toUtf8();
}

void ExpectTexts(const QWidget& window, const char* digest)
{
    const QByteArray texts = AllTexts(window);
    EXPECT_EQ(QString::fromLatin1(QCryptographicHash::hash(texts, QCryptographicHash::Sha1).toHex()),
              QString::fromLatin1(digest))
        << "the window's texts changed; if they are right, take the new digest:\n" << texts.toStdString();
}

}  // namespace

TEST_F(Road, OpenEditAndSaveInItalian)
{
    ExpectLooksLike(window, QStringLiteral("start"));
    ExpectTexts(window, "656b6d24c8d4a5bb41d2a72eea4089bced5cee0b");
    {
        Answers none{};  // nothing to save yet
        Keys(Qt::CTRL | Qt::Key_S);
    }
    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    Open(Path("gen.hex"));
    ASSERT_EQ(Status(), Path("gen.hex"));
    ExpectLooksLike(window, QStringLiteral("loaded-it"), {Find("Panel4")});

    Click("Quadro12");
    Click("Quadro3");
    for (const QToolButton* frame : window.PulsQuadri)
        EXPECT_EQ(frame->isChecked(), frame->objectName() == QLatin1String("Quadro3"));

    Click("PulsScorrColSfo");
    ExpectLooksLike(window, QStringLiteral("palette-sliding"), {Find("Panel4")});
    Click("PanelGiallo");
    Click("OkColore");
    Click("PulsFissoColSfo");
    Click("PanelBlu");
    Click("CancellaColore");
    Click("PulsFissoColSfo");
    Click("PanelAzzurro");
    Click("OkColore");

    QTest::keyClick(Find("EditTesto"), Qt::Key_End);
    QTest::keyClicks(Find("EditTesto"), QStringLiteral(" 73~"));
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(Find("EditNominativo"), Qt::Key_Backspace);
    QTest::keyClicks(Find("EditNominativo"), QStringLiteral("I0ABCDE"));  // one more than fits
    Pick("ComboDimScorr", 3, 16);
    Pick("ComboDimFisso", 0, 13);
    QTest::keyClick(Find("ComboVelocita"), Qt::Key_Up);

    BoxSeen overwrite;
    QString title;
    QStringList filters;
    {
        Answers answers({[&](QWidget& dialog) {
                            title = dialog.windowTitle();
                            filters = static_cast<QFileDialog&>(dialog).nameFilters();
                            EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(),
                                      QStringLiteral("gen.hex"));
                            QTest::keyClick(dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")),
                                            Qt::Key_Return);
                        },
                         PressInBox(QMessageBox::Yes, &overwrite)});
        Keys(Qt::CTRL | Qt::Key_S);
    }
    EXPECT_EQ(title, QStringLiteral("Scrittura File..."));
    EXPECT_EQ(filters, QStringList{QStringLiteral("File Caricabile (*.HEX)")});
    EXPECT_TRUE(overwrite.text.contains(QStringLiteral("esiste già"))) << overwrite.text.toStdString();
    const GeneratorSettings edited{.slidingText = "CQ CQ DE IW2ABC 73~", .fixedText = "I0ABCD", .frame = 3,
                                   .slidingHeight = 3, .fixedHeight = 0, .slidingColour = 6, .fixedColour = 5,
                                   .speed = 0};
    EXPECT_EQ(ReadFile(Path("gen.hex")), FirmwareText(edited));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("gen.hex")});
    EXPECT_EQ(Status(), Path("gen.hex"));

    window.resize(900, 700);
    EXPECT_EQ(window.size(), window.FixedWindowSize());
}

TEST_F(Road, ErrorsNoticesAndLanguageSwitches)
{
    Click("ButtonLingua");
    EXPECT_EQ(Status(), QStringLiteral("Click on left icon to open the file"));
    ExpectTexts(window, "3f1601e01b0d9b5a9f62d324f194de147f902687");

    const QString markup = Path("<b>x&lt;.hex");
    WriteFile(markup, FirmwareText(kOnFile, 15));
    BoxSeen error;
    Open(markup, {PressInBox(QMessageBox::Ok, &error)});
    EXPECT_EQ(error.caption, QStringLiteral("ERROR !"));
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_EQ(error.format, Qt::PlainText);
    EXPECT_EQ(error.text, QStringLiteral("The FILE ") + markup + QStringLiteral("\n\rdoes NOT contain VALID Data !!!"));
    EXPECT_EQ(Status(), QStringLiteral("Click on the left icon to open the file"));

    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.hex")).constData(), 0600), 0);
    Open(Path("pipe.hex"));
    EXPECT_EQ(Status(), QStringLiteral("NO File has been OPENED"));
    Keys(Qt::CTRL | Qt::Key_I);
    EXPECT_EQ(Status(), QStringLiteral("Cliccare sull' icona di sinistra per aprire il file"));
    Keys(Qt::CTRL | Qt::Key_I);  // already Italian: nothing happens
    EXPECT_EQ(Find("ButtonLingua")->toolTip(), QStringLiteral("Click select English"));

    Keys(Qt::CTRL | Qt::Key_E);
    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    Open(Path("gen.hex"));
    ExpectLooksLike(window, QStringLiteral("loaded-en"), {Find("Panel4")});
    Click("ButtonLingua");
    EXPECT_EQ(Status(), Path("gen.hex"));
    EXPECT_EQ(Find<QComboBox>("ComboVelocita")->currentText(), QStringLiteral("Velocita' Normale"));
}

TEST_F(Road, SaveDialogListsByNameAndRefusesWhatItMustNotReplace)
{
    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    Open(Path("gen.hex"));
    WriteFile(Path("pdf.hex"), "%PDF-1.4\n");
    WriteFile(Path("locked.hex"), "kept");
    ASSERT_EQ(chmod(QFile::encodeName(Path("locked.hex")).constData(), 0444), 0);
    const int opens = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(opens, QFile::encodeName(folder.path()).constData(), IN_OPEN);

    QString lookIn;
    QStringList filesOpened;
    BoxSeen readOnly, noFolder;
    {
        Answers answers({[&](QWidget& dialog) {
                             auto* model = dialog.findChild<QFileSystemModel*>();
                             EXPECT_TRUE(QTest::qWaitFor([&] { return !model->type(model->index(Path("pdf.hex"))).isEmpty(); }));
                             char events[4096];
                             for (ssize_t size = read(opens, events, sizeof events), at = 0; at < size;) {
                                 const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                                 if (!(event->mask & IN_ISDIR))
                                     filesOpened << QString::fromUtf8(event->name);
                                 at += ssize_t(sizeof(inotify_event) + event->len);
                             }
                             lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
                             TypeFileName(Path("locked.hex"))(dialog);
                         },
                         PressInBox(QMessageBox::Ok, &readOnly), TypeFileName(Path("none/x.hex")),
                         PressInBox(QMessageBox::Ok, &noFolder), PressEscape()});
        Keys(Qt::CTRL | Qt::Key_S);
    }
    close(opens);
    EXPECT_EQ(filesOpened, QStringList{});
    EXPECT_EQ(lookIn, QStringLiteral("Cerca in:"));
    EXPECT_EQ(readOnly.text, Path("locked.hex") + QStringLiteral(" è protetto da scrittura.\nScegliere un altro nome."));
    EXPECT_EQ(noFolder.text,
              QStringLiteral("La cartella ") + Path("none") + QStringLiteral(" non esiste.\nScegliere una cartella esistente."));
    EXPECT_EQ(ReadFile(Path("locked.hex")), "kept");
    EXPECT_EQ(ReadFile(Path("gen.hex")), FirmwareText(kOnFile));
    EXPECT_EQ(Status(), Path("gen.hex"));
}

using Look = Road;

TEST_F(Look, PaletteOverTheCallSign)
{
    Click("ButtonLingua");
    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    Open(Path("gen.hex"));
    Click("PulsFissoColSfo");
    Click("PanelBianco");
    ExpectLooksLike(window, QStringLiteral("palette-fixed-en"), {Find("Panel4")});
}

namespace {

// One way of putting characters into a text field, with what it must leave there (the field
// holds "AB" before) and the character the warning names, if one must come up.
struct Entry {
    const char* how;
    std::function<void(QLineEdit&)> enter;
    QString leaves;
    QString refused;
};

std::function<void(QLineEdit&)> Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {})
{
    return [=](QLineEdit& field) { QTest::sendKeyEvent(QTest::Click, &field, key, text, modifiers); };
}

std::function<void(QLineEdit&)> Paste(const QString& text, std::function<void(QLineEdit&)> how)
{
    return [=](QLineEdit& field) {
        QGuiApplication::clipboard()->setText(text);
        how(field);
    };
}

void ContextMenuPaste(QLineEdit& field)
{
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), field.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&field, &click);
    const QList<QMenu*> menus = field.findChildren<QMenu*>(QStringLiteral("qt_edit_menu"));
    ASSERT_FALSE(menus.isEmpty());
    const QList<QAction*> actions = menus.constLast()->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
        return action->text().endsWith(QStringLiteral("\tCtrl+V"));  // the entry named after its shortcut
    });
    ASSERT_NE(paste, actions.end());
    (*paste)->trigger();
    menus.constLast()->close();
}

void Drop(QLineEdit& field)
{
    QMimeData text;
    text.setText(QStringLiteral("ü"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(&field, &enter);
    QDragMoveEvent move(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(&field, &move);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(&field, &drop);
}

}  // namespace

TEST_F(Road, TextFieldsTakeOnlyWhatTheDeviceShows)
{
    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    Open(Path("gen.hex"));
    auto* field = Find<QLineEdit>("EditTesto");
    const std::vector<Entry> entries{
        {"printable keys", [](QLineEdit& f) { QTest::keyClicks(&f, QStringLiteral(" z\"~")); }, "AB z\"~", ""},
        {"code 127", Key(Qt::Key_unknown, {}, QStringLiteral("\x7f")), "AB", ""},
        {"Enter", Key(Qt::Key_Return), "AB", "Enter"},
        {"Escape", Key(Qt::Key_Escape, {}, QStringLiteral("\x1b")), "AB", "\x1b"},
        {"Ctrl+A", Key(Qt::Key_A, Qt::ControlModifier), "AB", "\x01"},
        {"Ctrl+V", Key(Qt::Key_V, Qt::ControlModifier), "AB", "\x16"},
        {"accented letter", Key(Qt::Key_Egrave, {}, QStringLiteral("è")), "AB", "è"},
        {"Ctrl+H", Key(Qt::Key_H, Qt::ControlModifier), "A", ""},
        {"Shift+Insert", Paste(QStringLiteral("x y"), Key(Qt::Key_Insert, Qt::ShiftModifier)), "ABx y", ""},
        {"refused paste", Paste(QStringLiteral("xèy"), Key(Qt::Key_Insert, Qt::ShiftModifier)), "AB", "è"},
        {"context menu paste", Paste(QStringLiteral("x\ty"), ContextMenuPaste), "AB", "\t"},
        {"drop", Drop, "AB", "ü"},
        {"input method", [](QLineEdit& f) {
             QInputMethodEvent commit;
             commit.setCommitString(QStringLiteral("é"));
             QApplication::sendEvent(&f, &commit);
         }, "AB", "é"},
    };
    for (const Entry& entry : entries) {
        QTest::keyClick(field, Qt::Key_Backspace);  // a character that passes makes it editable again
        field->setText(QStringLiteral("AB"));
        BoxSeen warning;
        {
            Answers answers(entry.refused.isEmpty() ? std::vector<Answers::Step>{}
                                                    : std::vector{PressInBox(QMessageBox::Ok, &warning,
                                                                             entry.how == std::string_view("accented letter") ? "warning-it" : "")});
            entry.enter(*field);
        }
        EXPECT_EQ(field->text(), entry.leaves) << entry.how;
        EXPECT_EQ(field->isReadOnly(), !entry.refused.isEmpty()) << entry.how;
        if (entry.refused.isEmpty())
            continue;
        EXPECT_EQ(warning.caption, QStringLiteral("ATTENZIONE")) << entry.how;
        EXPECT_EQ(warning.icon, QMessageBox::Warning) << entry.how;
        EXPECT_TRUE(warning.text.startsWith("Il carattere: ' " + entry.refused + " '  NON E' CONSENTITO !!!\n\r"));
        EXPECT_EQ(warning.text.size(), 16 + entry.refused.size() + 171) << entry.how;
        QTest::keyClick(field, Qt::Key_Delete);
        EXPECT_EQ(field->text(), entry.leaves) << "Delete in a read-only field, after " << entry.how;
    }

    auto* callSign = Find<QLineEdit>("EditNominativo");
    callSign->setText(QStringLiteral("IW2ABC"));
    QTest::keyClicks(callSign, QStringLiteral("D"));
    EXPECT_EQ(callSign->text(), QStringLiteral("IW2ABC"));
    Keys(Qt::CTRL | Qt::Key_E, callSign);  // the menu's, not the field's
    BoxSeen warning;
    {
        Answers answers({PressInBox(QMessageBox::Ok, &warning)});
        QTest::keyClick(callSign, Qt::Key_Return);
    }
    EXPECT_EQ(warning.caption, QStringLiteral("WARNING"));
    EXPECT_TRUE(warning.text.startsWith(QStringLiteral("The character ' Enter '  IS NOT ALLOWED !!!\n\r")));
    EXPECT_EQ(warning.text.size(), 16 + 5 + 167);
}
