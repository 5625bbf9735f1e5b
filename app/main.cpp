// Entry point: the command line first, without a display, so that help, version and usage
// errors work anywhere; then one window, one event loop.

#include "DisplayGuard.h"
#include "FixedLook.h"
#include "FormTessel.h"
#include "KelvoResources.h"
#include "LocaleLanguage.h"
#include "WindowCommandLine.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QSettings>

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    const i18n::Language language = i18n::LocaleLanguage();
    const WindowCommandLine commandLine(arguments, language);

    // Qt gets the program's name alone: no file name is ever taken for one of Qt's options.
    std::string name = kProgramName;
    int qtArgc = 1;
    char* qtArgv[] = {name.data(), nullptr};
    if (!commandLine.opensWindow()) {
        QCoreApplication core(qtArgc, qtArgv);
        return commandLine.report(std::cout, std::cerr);
    }

    // Qt's file dialogs would keep their last folder and view in the user's QtProject.conf;
    // this program keeps no settings, so the user-scope ones lead where nothing can be made.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));

    DisplayGuard guard(language);
    QApplication application(qtArgc, qtArgv);
    guard.release();
    QApplication::setApplicationName(QLatin1StringView(kProgramName));
    QApplication::setWindowIcon(QIcon(kelvo::resources::applicationIconPath()));
    UseFixedLook(application);
    try {
        TForm1 form1;
        form1.show();
        // Opened once the window is up, so that a box it brings stands over the window.
        if (const std::optional<QString>& file = commandLine.file())
            QMetaObject::invokeMethod(&form1, [&form1, &file] { form1.OpenFirmwareFile(*file); }, Qt::QueuedConnection);
        QApplication::exec();
    } catch (const std::exception& failure) {
        // Shown to the user, then the program ends as on a normal exit.
        QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromLocal8Bit(failure.what()));
    }
    return kDone;
}
