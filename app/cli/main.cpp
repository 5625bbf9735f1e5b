// Entry point of the command-line companion: no window, no display.

#include "ArgumentText.h"
#include "CommandLine.h"
#include "Console.h"
#include "LocaleLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <iostream>

int main(int argc, char* argv[])
{
    // Qt gets a command line of the program's name alone: it names the program in the usage
    // lines, and nothing of the user's arguments is taken or decoded by Qt.
    char name[] = "kelvo-barre-cli";
    int qtArgc = 1;
    char* qtArgv[] = {name, nullptr};
    QCoreApplication application(qtArgc, qtArgv);
    QCoreApplication::setApplicationVersion(QStringLiteral(KELVO_VERSION));

    const i18n::Language language = i18n::LocaleLanguage();
    // The parser's own words (usage, options, its errors); they stay English where Qt's
    // translations are not installed.
    QTranslator qtTexts;
    if (language == i18n::Language::Italian &&
        qtTexts.load(QLocale(QLocale::Italian), QStringLiteral("qt"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    QStringList arguments{QString::fromLatin1(name)};
    for (int i = 1; i < argc; ++i)
        arguments << cli::FromArgument(argv[i]);
    cli::Console console(std::cout, std::cerr, language);
    return cli::CommandLine(arguments, console).run();
}
