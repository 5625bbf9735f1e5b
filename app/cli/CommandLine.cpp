#include "CommandLine.h"

#include "ArgumentText.h"
#include "Commands.h"
#include "SettingOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <array>

namespace cli {

namespace {

using i18n::CommandLineText;

struct Operand {
    const char* name;
    CommandLineText description;
};

struct Command {
    const char* name;
    CommandLineText description;
    std::array<Operand, 2> operands;
    std::size_t operandCount;
    bool json;      // prints, plain or as JSON
    bool writes;    // takes --output or --in-place
    bool settings;  // takes the setting options
    const char* synopsis;
};

constexpr std::array<Command, 3> kCommands{{
    {"show", CommandLineText::ShowCommand, {{{"FILE", CommandLineText::FileArgument}}}, 1, true, false, false,
     "show FILE [--json]"},
    {"set", CommandLineText::SetCommand, {{{"FILE", CommandLineText::FileArgument}}}, 1, false, true, true,
     "set FILE (--output OUT | --in-place) [--frame N] [--text TEXT] [--call TEXT] ..."},
    {"copy", CommandLineText::CopyCommand,
     {{{"FROM", CommandLineText::FromArgument}, {"INTO", CommandLineText::IntoArgument}}}, 2, false, true, false,
     "copy FROM INTO (--output OUT | --in-place)"},
}};

// Every option of every command: where the command is still to be found.
constexpr Command kAnyCommand{"", CommandLineText::ProgramDescription, {}, 0, true, true, true, ""};
// Help and version only: the program's own help.
constexpr Command kNoCommand{"", CommandLineText::ProgramDescription, {}, 0, false, false, false, ""};

const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
const QString kJson = QStringLiteral("json");
const QString kOutput = QStringLiteral("output");
const QString kInPlace = QStringLiteral("in-place");

const Command* Find(const QString& name)
{
    for (const Command& command : kCommands) {
        if (name == QLatin1StringView(command.name))
            return &command;
    }
    return nullptr;
}

QString Text(const Console& console, CommandLineText id, std::string_view argument = {})
{
    return QString::fromStdString(console.text(id, {argument}));
}

std::string Synopses()
{
    std::string lines;
    for (const Command& command : kCommands)
        lines.append("\n  ").append(command.synopsis);
    return lines;
}

void Declare(QCommandLineParser& parser, const Command& command, const Console& console)
{
    parser.addOption({{QStringLiteral("h"), kHelp}, Text(console, CommandLineText::HelpOption)});
    parser.addOption({{QStringLiteral("v"), kVersion}, Text(console, CommandLineText::VersionOption)});
    if (command.json)
        parser.addOption({kJson, Text(console, CommandLineText::JsonOption)});
    if (command.writes) {
        parser.addOption({kOutput, Text(console, CommandLineText::OutputOption), QStringLiteral("OUT")});
        parser.addOption({kInPlace, Text(console, CommandLineText::InPlaceOption)});
    }
    if (command.settings)
        AddSettingOptions(parser, console);

    if (command.operandCount == 0) {
        parser.setApplicationDescription(Text(console, CommandLineText::ProgramDescription, Synopses()));
        parser.addPositionalArgument(Text(console, CommandLineText::CommandName),
                                     Text(console, CommandLineText::CommandArgument));
        return;
    }
    parser.setApplicationDescription(Text(console, command.description));
    for (std::size_t i = 0; i < command.operandCount; ++i) {
        const QString name = QLatin1StringView(command.operands[i].name);
        // The usage line shows the command before its first operand.
        const QString syntax = i == 0 ? QLatin1StringView(command.name) + u' ' + name : name;
        parser.addPositionalArgument(name, Text(console, command.operands[i].description), syntax);
    }
}

std::string HelpCommandLine(const Command* command)
{
    return command ? std::string(kProgramName) + " " + command->name : std::string(kProgramName);
}

Failure UsageError(std::string message, const Command* command)
{
    return {kUsageError, std::move(message), HelpCommandLine(command)};
}

// Each option once: a script that gives one twice has lost track of which it meant.
void RefuseRepeatedOptions(const QCommandLineParser& parser, const Command& command, const Console& console)
{
    const QStringList given = parser.optionNames();
    for (const QString& name : given) {
        if (given.count(name) > 1)
            throw UsageError(console.text(CommandLineText::RepeatedOption, {ToBytes(name)}), &command);
    }
}

// The file the command writes: OUT, or the file it changes for --in-place.
std::string Target(const QCommandLineParser& parser, const Command& command, const std::string& changed,
                   const Console& console)
{
    const bool output = parser.isSet(kOutput), inPlace = parser.isSet(kInPlace);
    if (output && inPlace)
        throw UsageError(console.text(CommandLineText::BothTargets), &command);
    if (!output && !inPlace)
        throw UsageError(console.text(CommandLineText::MissingTarget, {command.name}), &command);
    return output ? ToBytes(parser.value(kOutput)) : changed;
}

}  // namespace

CommandLine::CommandLine(QStringList arguments, Console& console) : arguments_(std::move(arguments)), console_(console)
{
}

int CommandLine::run()
{
    try {
        return dispatch();
    } catch (const Failure& failure) {
        return console_.report(failure);
    }
}

int CommandLine::dispatch()
{
    // First the command, wherever the options stand; then the command's own options alone.
    QCommandLineParser any;
    Declare(any, kAnyCommand, console_);
    const bool parsed = any.parse(arguments_);
    const QStringList words = any.positionalArguments();
    const Command* command = words.isEmpty() ? nullptr : Find(words.first());
    if (any.isSet(kHelp) || any.isSet(kVersion)) {
        QCommandLineParser help;
        Declare(help, command ? *command : kNoCommand, console_);
        const std::string version = ToBytes(QCoreApplication::applicationVersion());
        console_.print(any.isSet(kHelp) ? ToBytes(help.helpText()) : std::string(kProgramName) + " " + version + "\n");
        return kSuccess;
    }
    if (!parsed)
        throw UsageError(ToBytes(any.errorText()), command);
    if (words.isEmpty())
        throw UsageError(console_.text(CommandLineText::MissingCommand), nullptr);
    if (!command)
        throw UsageError(console_.text(CommandLineText::UnknownCommand, {ToBytes(words.first())}), nullptr);

    QCommandLineParser parser;
    Declare(parser, *command, console_);
    if (!parser.parse(arguments_))
        throw UsageError(ToBytes(parser.errorText()), command);
    RefuseRepeatedOptions(parser, *command, console_);
    const QStringList operands = parser.positionalArguments().mid(1);
    if (std::size_t(operands.size()) != command->operandCount) {
        std::string wanted = command->operands[0].name;
        for (std::size_t i = 1; i < command->operandCount; ++i)
            wanted.append(" ").append(command->operands[i].name);
        throw UsageError(console_.text(CommandLineText::WrongArguments, {command->name, wanted}), command);
    }
    const std::string first = ToBytes(operands.first()), last = ToBytes(operands.last());
    if (!command->writes) {
        Show(first, parser.isSet(kJson), console_);
        return kSuccess;
    }
    const std::string target = Target(parser, *command, last, console_);
    if (command->settings)
        Set(first, target, SettingChanges::FromOptions(parser, console_), console_);
    else
        Copy(first, last, target, console_);
    return kSuccess;
}

}  // namespace cli
