// Ways in besides the open dialog: a file named on the command line, a file dropped on the
// window. Each takes the open command's road, with what it shows for every kind of file.

#include "Road.h"
#include "WindowCommandLine.h"

namespace {

using namespace Qt::StringLiterals;

const QString kNotOpened = u"NESSUN File e` stato APERTO"_s;
const QString kRejected = u"Cliccare sull' icona di sinistra per aprire il file"_s;
const QString kNotFirmware = u"\n\rNON contiene dati VALIDI !!!"_s;

// A shell line run in the folder, as a terminal runs it.
void RunShell(QProcess& shell, const QString& folder, const char* line)
{
    shell.setWorkingDirectory(folder);
    shell.start(u"bash"_s, {u"-c"_s, QString::fromUtf8(line)});
    shell.waitForFinished();
}

// The built program run by a shell in a folder with gen.hex, with no display at hand, so that
// a window that should not come can only fail the row: its exit status, the first line of its
// output and all it says on stderr.
struct Invocation {
    const char* command;
    int status;
    QString out;
    QString err;
};

TEST(CommandLine, HelpVersionUsageErrorsAndNoDisplay)
{
    const QString noDisplay = u"kelvo-barre: a graphical display is needed, and none could be reached (DISPLAY, "
                              "WAYLAND_DISPLAY); kelvo-barre-cli works without one.\n"_s;
    const std::vector<Invocation> runs{
        {"kelvo-barre --help", 0, u"Usage: kelvo-barre [options] [FILE]"_s, ""},
        {"LC_ALL=it_IT.UTF-8 kelvo-barre gen.hex -h", 0, u"Utilizzo: kelvo-barre [opzioni] [FILE]"_s, ""},
        {"kelvo-barre --version", 0, u"kelvo-barre " KELVO_VERSION ""_s, ""},
        {"kelvo-barre --frob gen.hex", 2, "", u"kelvo-barre: Unknown option 'frob'. See 'kelvo-barre --help'.\n"_s},
        {"kelvo-barre gen.hex -- other.hex", 2, "",
         u"kelvo-barre: one file at a time: 'other.hex' is one too many. See 'kelvo-barre --help'.\n"_s},
        {"LANG=it_IT.UTF-8 kelvo-barre -x", 2, "", u"kelvo-barre: Opzione sconosciuta 'x'. Vedere 'kelvo-barre --help'.\n"_s},
        {"kelvo-barre gen.hex", 1, "", noDisplay},
        {"DISPLAY=/nowhere kelvo-barre", 1, "", noDisplay},
        {"LC_MESSAGES=it kelvo-barre -- --help", 1, "",
         u"kelvo-barre: serve un display grafico, e nessuno è raggiungibile (DISPLAY, WAYLAND_DISPLAY); "
         "kelvo-barre-cli funziona anche senza.\n"_s},
        // Where a window does come, what Qt says on the way there is passed on.
        {"env -u XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen timeout 2 kelvo-barre 2>&1 | cut -d, -f1", 0,
         u"QStandardPaths: XDG_RUNTIME_DIR not set"_s, ""},
    };
    const QTemporaryDir folder;
    WriteFile(folder.filePath(u"gen.hex"_s), FirmwareText(kOnFile));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QString::fromLatin1(variable));
    environment.insert(u"PATH"_s, QFileInfo(QStringLiteral(KELVO_PROGRAM)).path() + ':' + environment.value(u"PATH"_s));
    for (const Invocation& run : runs) {
        QProcess shell;
        shell.setProcessEnvironment(environment);
        RunShell(shell, folder.path(), run.command);
        EXPECT_EQ(shell.exitCode(), run.status) << run.command;
        EXPECT_EQ(QString::fromUtf8(shell.readAllStandardOutput()).section('\n', 0, 0), run.out) << run.command;
        EXPECT_EQ(QString::fromUtf8(shell.readAllStandardError()), run.err) << run.command;
    }
}

// Command lines that open the window, one after the other on one window, each file arranged
// first: what the status panel shows ("%1" the folder; the editing groups are usable exactly
// while it shows a file), and the error box's text if one comes.
struct Start {
    const char* arrange;
    QStringList arguments;
    QString status;
    QString box;
};

TEST_F(Road, StartedWithAFile)
{
    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    const std::vector<Start> starts{
        {"", {}, kRejected + ' ', ""},
        {"", {u"none.hex"_s}, kNotOpened, ""},
        {"mkdir dir.hex", {u"dir.hex"_s}, kNotOpened, ""},
        {"mkfifo pipe.hex", {u"pipe.hex"_s}, kNotOpened, ""},
        {"", {u"/dev/zero"_s}, kNotOpened, ""},
        {"", {u"/proc/kmsg"_s}, kNotOpened, ""},
        {"echo :00000001FF > $'a\\n<b>x&lt;.hex'", {u"a\n<b>x&lt;.hex"_s}, kRejected, u"Il FILE %1/a\n<b>x&lt;.hex"_s + kNotFirmware},
        {"truncate -s 2G big.hex", {u"big.hex"_s}, kRejected, u"Il FILE %1/big.hex"_s + kNotFirmware},
        {"", {u"gen.hex"_s}, u"%1/gen.hex"_s, ""},
        {"mkdir sub", {u"./sub/../gen.hex"_s}, u"%1/gen.hex"_s, ""},
        {"cp gen.hex ./-h.hex", {u"--"_s, u"-h.hex"_s}, u"%1/-h.hex"_s, ""},
    };
    // The current folder as the system gives it, whatever links lead to it.
    const QString path = QFileInfo(folder.path()).canonicalFilePath();
    std::string skipped;
    for (const Start& start : starts) {
        SCOPED_TRACE(start.arguments.join(' ').toStdString());
        QProcess arrange;
        RunShell(arrange, folder.path(), start.arrange);
        if (arrange.exitCode() != 0) {  // a 2 GB file beyond a file-size limit (ulimit -f), say
            skipped += std::string(start.arrange) + ": " + arrange.readAllStandardError().toStdString();
            continue;
        }
        const QString here = QDir::currentPath();
        QDir::setCurrent(folder.path());
        const WindowCommandLine commandLine(QStringList{u"kelvo-barre"_s} + start.arguments, i18n::Language::English);
        QDir::setCurrent(here);
        ASSERT_TRUE(commandLine.opensWindow());
        BoxSeen box;
        {
            Answers answers(start.box.isEmpty() ? std::vector<Answers::Step>{} : std::vector{PressInBox(QMessageBox::Ok, &box)});
            if (commandLine.file())
                window.OpenFirmwareFile(*commandLine.file());
        }
        EXPECT_EQ(Status(), QString(start.status).replace(u"%1"_s, path));
        EXPECT_EQ(Find("GroupTestoFisso")->isEnabled(), Status().startsWith('/'));
        EXPECT_EQ(box.text, QString(start.box).replace(u"%1"_s, path));
    }
    if (!skipped.empty())
        GTEST_SKIP() << "rows left out, the others done: " << skipped;
}

// Drops, one after the other on one window, over the control named, with the palette opened
// first or while the error box about bad.hex is up: whether the cursor says yes and what the
// status panel shows then ("%1" the folder, "%2" this machine's name).
enum class While { Nothing, Palette, Box };

struct Drop {
    While during;
    const char* over;
    QStringList addresses;
    bool taken;
    QString status;
};

TEST_F(Road, DroppedFile)
{
    WriteFile(Path("gen.hex"), FirmwareText(kOnFile));
    WriteFile(Path("other.hex"), FirmwareText(kOnFile));
    WriteFile(Path("bad.hex"), "");
    ASSERT_TRUE(QDir(folder.path()).mkdir(u"dir.hex"_s));
    const QString gen = u"file://%1/gen.hex"_s, other = u"file://%1/other.hex"_s;
    const std::vector<Drop> drops{
        {While::Nothing, "Quadro3", {gen, other}, false, kRejected + ' '},
        {While::Nothing, "GroupQuadri", {u"https://example.org/gen.hex"_s}, false, kRejected + ' '},
        {While::Nothing, "EditTesto", {gen}, true, u"%1/gen.hex"_s},
        {While::Nothing, "EditTesto", {other}, true, u"%1/other.hex"_s},
        {While::Nothing, "EditNominativo", {u"file://%1/dir.hex"_s}, false, u"%1/other.hex"_s},
        {While::Nothing, "EditTesto", {u"file://elsewhere.example.org%1/gen.hex"_s}, false, u"%1/other.hex"_s},
        {While::Nothing, "Panel4", {u"file://localhost%1/gen.hex"_s}, true, u"%1/gen.hex"_s},
        {While::Nothing, "Quadro3", {u"file://%2%1/other.hex"_s}, true, u"%1/other.hex"_s},
        {While::Palette, "TavolaColore", {gen}, false, u"%1/other.hex"_s},
        {While::Palette, "Panel4", {gen}, false, u"%1/other.hex"_s},
        {While::Box, "Panel4", {gen}, false, kRejected},
    };
    // As Qt's window hands a drag to the widget under the mouse, with the data a file manager
    // or a browser gives; whether the cursor said yes.
    const auto drag = [this](const char* over, const QStringList& addresses) {
        QMimeData data;
        data.setUrls(QList<QUrl>(addresses.begin(), addresses.end()));
        data.setText(addresses.join('\n'));
        const QPoint at = Find(over)->mapTo(&window, Find(over)->rect().center());
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(window.windowHandle(), &enter);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        const QString before = Status();
        QCoreApplication::sendEvent(window.windowHandle(), &drop);
        EXPECT_EQ(Status(), before) << "opened before the drop ended, keeping its source waiting";
        QCoreApplication::processEvents();
        return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
    };
    for (const Drop& drop : drops) {
        SCOPED_TRACE(drop.over + (' ' + drop.addresses.join(' ')).toStdString());
        QStringList addresses = drop.addresses;
        addresses.replaceInStrings(u"%1"_s, folder.path()).replaceInStrings(u"%2"_s, QSysInfo::machineHostName());
        bool taken = !drop.taken;
        if (drop.during == While::Box) {
            Answers answers({[&](QWidget& box) {
                taken = drag(drop.over, addresses);
                PressInBox(QMessageBox::Ok)(box);
            }});
            window.OpenFirmwareFile(Path("bad.hex"));
        } else {
            if (drop.during == While::Palette)
                Click("PulsScorrColSfo");
            taken = drag(drop.over, addresses);
            if (drop.during == While::Palette)
                Click("CancellaColore");
        }
        EXPECT_EQ(taken, drop.taken);
        EXPECT_EQ(Status(), QString(drop.status).replace(u"%1"_s, folder.path()));
        // Neither field ever gets the address typed into it.
        EXPECT_EQ(Find<QLineEdit>("EditTesto")->text() + '|' + Find<QLineEdit>("EditNominativo")->text(),
                  Status() == kRejected + ' ' ? u"|"_s : u"CQ CQ DE IW2ABC|IW2ABC"_s);
    }
}

}  // namespace
