#include "WindowCommandLine.h"

#include "CommandLineTexts.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <ostream>

namespace {

using i18n::CommandLineText;

const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");

QString Text(i18n::Language language, CommandLineText id)
{
    const std::string_view text = i18n::commandLineText(language, id);
    return QString::fromUtf8(text);
}

void Declare(QCommandLineParser& parser, i18n::Language language)
{
    parser.setApplicationDescription(Text(language, CommandLineText::WindowDescription).arg(QLatin1StringView(kCompanionName)));
    parser.addOption({{QStringLiteral("h"), kHelp}, Text(language, CommandLineText::HelpOption)});
    parser.addOption({{QStringLiteral("v"), kVersion}, Text(language, CommandLineText::VersionOption)});
    parser.addPositionalArgument(QStringLiteral("FILE"), Text(language, CommandLineText::WindowFileArgument),
                                 QStringLiteral("[FILE]"));
}

}  // namespace

WindowCommandLine::WindowCommandLine(QStringList arguments, i18n::Language language)
    : arguments_(std::move(arguments)), language_(language)
{
    QCommandLineParser parser;
    Declare(parser, language_);
    const bool parsed = parser.parse(arguments_);
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(kHelp))
        outcome_ = Outcome::Help;
    else if (parser.isSet(kVersion))
        outcome_ = Outcome::Version;
    else if (!parsed || files.size() > 1)
        outcome_ = Outcome::UsageError;
    else if (!files.isEmpty())
        file_ = QFileInfo(files.constFirst()).absoluteFilePath();
}

int WindowCommandLine::report(std::ostream& out, std::ostream& err) const
{
    // The parser's own words (usage, options, its errors) in the language, where Qt's
    // translations are installed; they are taken when the texts are made, so it parses again.
    QTranslator qtTexts;
    if (language_ == i18n::Language::Italian &&
        qtTexts.load(QLocale(QLocale::Italian), QStringLiteral("qt"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);
    QCommandLineParser parser;
    Declare(parser, language_);
    const bool parsed = parser.parse(arguments_);

    switch (outcome_) {
    case Outcome::Help:
        out << parser.helpText().toStdString() << std::flush;
        return kDone;
    case Outcome::Version:
        out << kProgramName << ' ' << KELVO_VERSION << std::endl;
        return kDone;
    case Outcome::Window:
        return kDone;
    case Outcome::UsageError:
        break;
    }
    const QString problem = parsed ? Text(language_, CommandLineText::OneFileOnly).arg(parser.positionalArguments().at(1))
                                   : parser.errorText();
    err << kProgramName << ": " << problem.toStdString() << ' '
        << Text(language_, CommandLineText::SeeHelp).arg(QLatin1StringView(kProgramName)).toStdString() << std::endl;
    return kUsageError;
}
