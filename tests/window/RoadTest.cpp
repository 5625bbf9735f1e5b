// The window as a user meets it: each test is one road through it, checking what the user
// sees along the way.

#include "Road.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using firmware::GeneratorSettings;
using namespace Qt::StringLiterals;

// Every text the window and its dialogs carry (not Qt's own texts inside the dialogs), once
// the language change has reached every widget.
QByteArray AllTexts(const QWidget& window)
{
    QCoreApplication::sendPostedEvents();
    QStringList texts{u"title="_s + window.windowTitle()};
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
            texts << action->objectName() + u" checked"_s;
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
    ExpectLooksLike(window, u"start"_s);
    ExpectTexts(window, "4877f37e75e7034e56421d81a14c061a3ff6f387");
    {
        Answers none{};  // nothing to save yet
        Keys(Qt::CTRL | Qt::Key_S);
    }
    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    Open(Path("gen.hex"));
    ASSERT_EQ(Status(), Path("gen.hex"));
    ExpectLooksLike(window, u"loaded-it"_s, {Find("Panel4")});

    Click("Quadro12");
    Click("Quadro3");
    for (const QToolButton* frame : window.PulsQuadri)
        EXPECT_EQ(frame->isChecked(), frame->objectName() == u"Quadro3");

    Click("PulsScorrColSfo");
    ExpectLooksLike(window, u"palette-sliding"_s, {Find("Panel4")});
    // Every colour the palette offers is the one the swatch then shows.
    for (const char* colour : {"PanelNero", "PanelBlu", "PanelRosso", "PanelViola", "PanelVerde", "PanelAzzurro",
                               "PanelBianco", "PanelGiallo"}) {
        Click(colour);
        const QColor offered = Find(colour)->grab().toImage().pixelColor(50, 10);
        Click("OkColore");
        EXPECT_EQ(Find("ShapeSfondoTesto")->grab().toImage().pixelColor(9, 12), offered) << colour;
        Click("PulsScorrColSfo");
    }
    for (const char* control : {"CancellaColore", "PulsFissoColSfo", "PanelBlu", "CancellaColore", "PulsFissoColSfo",
                                "PanelAzzurro", "OkColore"})
        Click(control);

    QTest::keyClick(Find("EditTesto"), Qt::Key_End);
    QTest::keyClicks(Find("EditTesto"), u" 73~"_s);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(Find("EditNominativo"), Qt::Key_Backspace);
    QTest::keyClicks(Find("EditNominativo"), u"I0ABCDE"_s);  // one more than fits
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
                             auto* name = dialog.findChild<QLineEdit*>(u"fileNameEdit"_s);
                             EXPECT_EQ(name->text(), u"gen.hex"_s);
                             QTest::keyClick(name, Qt::Key_Return);
                         },
                         PressInBox(QMessageBox::Yes, &overwrite)});
        Keys(Qt::CTRL | Qt::Key_S);
    }
    EXPECT_EQ(title, u"Scrittura File..."_s);
    EXPECT_EQ(filters, QStringList{u"File Caricabile (*.HEX)"_s});
    EXPECT_TRUE(overwrite.text.contains(u"esiste già"_s)) << overwrite.text.toStdString();
    const GeneratorSettings edited{.slidingText = "CQ CQ DE IW2ABC 73~", .fixedText = "I0ABCD", .frame = 3,
        .slidingHeight = 3, .fixedHeight = 0, .slidingColour = 6, .fixedColour = 5, .speed = 0};
    EXPECT_EQ(ReadFile(Path("gen.hex")), FirmwareText(edited));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{u"gen.hex"_s});
    EXPECT_EQ(Status(), Path("gen.hex"));
    {
        Answers answers({[](QWidget& dialog) {  // an open given up keeps the file shown
            QTest::keyClicks(dialog.findChild<QLineEdit*>(u"fileNameEdit"_s), u"none.hex"_s);
            QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        }});
        Keys(Qt::CTRL | Qt::Key_O);
    }
    EXPECT_EQ(Status(), Path("gen.hex"));

    window.resize(900, 700);
    EXPECT_EQ(window.size(), window.FixedWindowSize());
}

TEST_F(Road, ErrorsNoticesAndLanguageSwitches)
{
    Click("ButtonLingua");
    EXPECT_EQ(Status(), u"Click on left icon to open the file"_s);
    const char* const english = "37d6f6a61d06ebf643bfda60fda3efa26100187a";
    ExpectTexts(window, english);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), u"Look in:"_s);  // Qt's own texts too

    const QString markup = Path("<b>x&lt;.hex");
    WriteFile(markup, FirmwareText(kOnFile, 15));
    BoxSeen error;
    Open(markup, {PressInBox(QMessageBox::Ok, &error)});
    EXPECT_EQ(error.caption, u"ERROR !"_s);
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_EQ(error.format, Qt::PlainText);
    EXPECT_EQ(error.text, u"The FILE "_s + markup + u"\n\rdoes NOT contain VALID Data !!!"_s);
    EXPECT_EQ(Status(), u"Click on the left icon to open the file"_s);

    ASSERT_EQ(mkfifo(QFile::encodeName(Path("pipe.hex")).constData(), 0600), 0);
    Open(Path("pipe.hex"));
    EXPECT_EQ(Status(), u"NO File has been OPENED"_s);
    Keys(Qt::CTRL | Qt::Key_I);
    EXPECT_EQ(Status(), u"Cliccare sull' icona di sinistra per aprire il file"_s);
    Keys(Qt::CTRL | Qt::Key_I);  // already Italian: nothing changes
    ExpectTexts(window, "3969ea4c762709caee9fec997cf97657c468872e");
    Keys(Qt::CTRL | Qt::Key_E);
    Keys(Qt::CTRL | Qt::Key_E);
    ExpectTexts(window, english);

    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    Open(Path("gen.hex"));
    ExpectLooksLike(window, u"loaded-en"_s, {Find("Panel4")});
    Pick("ComboDimFisso", 1, 13);  // the entries the switch wrote keep their height
    Click("ButtonLingua");
    EXPECT_EQ(Status(), Path("gen.hex"));
    EXPECT_EQ(Find<QComboBox>("ComboDimFisso")->currentText(), u"Altezza Media"_s);
    EXPECT_EQ(Find<QComboBox>("ComboVelocita")->currentText(), u"Velocita' Normale"_s);
    QSignalSpy exits(Find<QAction>("Exit1"), &QAction::triggered);
    for (QLineEdit* field : {Find<QComboBox>("ComboVelocita")->lineEdit(), Find<QLineEdit>("EditNominativo")}) {
        field->selectAll();
        Keys(Qt::CTRL | Qt::Key_X, field);  // the menu's Esci, not the field's Cut
        EXPECT_FALSE(field->text().isEmpty());
    }
    EXPECT_EQ(exits.count(), 2);
}

TEST_F(Road, SaveDialogListsByNameAndRefusesWhatItMustNotReplace)
{
    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    Open(Path("gen.hex"));
    WriteFile(Path("pdf.hex"), "%PDF-1.4\n");
    WriteFile(Path("locked.hex"), "kept");
    WriteFile(Path("seen.txt"), "");
    ASSERT_EQ(chmod(QFile::encodeName(Path("locked.hex")).constData(), 0444), 0);
    const int opens = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(opens, 0) << "inotify: " << std::strerror(errno);
    ASSERT_GE(inotify_add_watch(opens, QFile::encodeName(folder.path()).constData(), IN_OPEN), 0)
        << "inotify: " << std::strerror(errno);
    ReadFile(Path("seen.txt"));  // the one open the watch must report

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
                             lookIn = dialog.findChild<QLabel*>(u"lookInLabel"_s)->text();
                             TypeFileName(Path("locked.hex"))(dialog);
                         },
                         PressInBox(QMessageBox::Ok, &readOnly), TypeFileName(Path("none/x.hex")),
                         PressInBox(QMessageBox::Ok, &noFolder), PressEscape()});
        Keys(Qt::CTRL | Qt::Key_S);
    }
    close(opens);
    EXPECT_EQ(filesOpened, QStringList{u"seen.txt"_s});
    EXPECT_EQ(lookIn, u"Cerca in:"_s);
    EXPECT_EQ(readOnly.text, Path("locked.hex") + u" è protetto da scrittura.\nScegliere un altro nome."_s);
    EXPECT_EQ(noFolder.text, "La cartella " + Path("none") + " non esiste.\nScegliere una cartella esistente.");
    EXPECT_EQ(ReadFile(Path("locked.hex")), "kept");
    EXPECT_EQ(ReadFile(Path("gen.hex")), FirmwareText(kOnFile));
    EXPECT_EQ(Status(), Path("gen.hex"));
}

TEST_F(Look, PaletteOverTheCallSign)
{
    Click("ButtonLingua");
    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    Open(Path("gen.hex"));
    Click("PulsFissoColSfo");
    Click("PanelBianco");
    ExpectLooksLike(window, u"palette-fixed-en"_s, {Find("Panel4")});
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
    const QList<QMenu*> menus = field.findChildren<QMenu*>(u"qt_edit_menu"_s);
    ASSERT_FALSE(menus.isEmpty());
    const QList<QAction*> actions = menus.constLast()->actions();
    const auto paste = std::find_if(actions.begin(), actions.end(), [](const QAction* action) {
        return action->text().endsWith(u"\tCtrl+V"_s);  // the entry named after its shortcut
    });
    ASSERT_NE(paste, actions.end());
    (*paste)->trigger();
    menus.constLast()->close();
}

void Drop(QLineEdit& field)
{
    QMimeData text;
    text.setText(u"€"_s);  // three bytes in UTF-8
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
        {"printable keys", [](QLineEdit& f) { QTest::keyClicks(&f, u" z\"~"_s); }, "AB z\"~", ""},
        {"code 127", Key(Qt::Key_unknown, {}, u"\x7f"_s), "AB", ""},
        {"Enter", Key(Qt::Key_Return), "AB", "Enter"},
        {"Escape", Key(Qt::Key_Escape, {}, u"\x1b"_s), "AB", "\x1b"},
        {"Ctrl+A", Key(Qt::Key_A, Qt::ControlModifier), "AB", "\x01"},
        {"Ctrl+V", Key(Qt::Key_V, Qt::ControlModifier), "AB", "\x16"},
        {"accented letter", Key(Qt::Key_Egrave, {}, u"è"_s), "AB", "è"},
        {"emoji", Key(Qt::Key_unknown, {}, u"😀"_s), "AB", "😀"},
        {"last code point", Key(Qt::Key_unknown, {}, u"\U0010FFFF"_s), "AB", u"\U0010FFFF"_s},
        {"Ctrl+H", Key(Qt::Key_H, Qt::ControlModifier), "A", ""},
        {"Shift+Insert", Paste(u"x y"_s, Key(Qt::Key_Insert, Qt::ShiftModifier)), "ABx y", ""},
        {"refused paste", Paste(u"xèy"_s, Key(Qt::Key_Insert, Qt::ShiftModifier)), "AB", "è"},
        {"context menu paste", Paste(u"x\ty"_s, ContextMenuPaste), "AB", "\t"},
        {"drop", Drop, "AB", "€"},
        {"input method", [](QLineEdit& f) {
             QInputMethodEvent commit;
             commit.setCommitString(u"é"_s);
             QApplication::sendEvent(&f, &commit);
         }, "AB", "é"},
    };
    for (const Entry& entry : entries) {
        QTest::keyClick(field, Qt::Key_Backspace);  // a character that passes makes it editable again
        field->setText(u"AB"_s);
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
        EXPECT_EQ(warning.caption, u"ATTENZIONE"_s) << entry.how;
        EXPECT_EQ(warning.icon, QMessageBox::Warning) << entry.how;
        EXPECT_TRUE(warning.text.startsWith("Il carattere: ' " + entry.refused + " '  NON E' CONSENTITO !!!\n\r"));
        EXPECT_EQ(warning.text.size(), 16 + entry.refused.size() + 171) << entry.how;
        QTest::keyClick(field, Qt::Key_Delete);
        EXPECT_EQ(field->text(), entry.leaves) << "Delete in a read-only field, after " << entry.how;
    }

    auto* callSign = Find<QLineEdit>("EditNominativo");
    callSign->setText(u"IW2ABC"_s);
    QTest::keyClicks(callSign, u"D"_s);
    EXPECT_EQ(callSign->text(), u"IW2ABC"_s);
    Keys(Qt::CTRL | Qt::Key_E, callSign);  // the menu's, not the field's
    BoxSeen warning;
    {
        Answers answers({PressInBox(QMessageBox::Ok, &warning, u"warning-en"_s)});
        QTest::keyClick(callSign, Qt::Key_Return);
    }
    EXPECT_EQ(warning.caption, u"WARNING"_s);
    EXPECT_TRUE(warning.text.startsWith(u"The character ' Enter '  IS NOT ALLOWED !!!\n\r"_s));
    EXPECT_EQ(warning.text.size(), 16 + 5 + 167);
}
