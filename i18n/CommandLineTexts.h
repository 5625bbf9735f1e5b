#pragma once

// Texts of the command-line companion and of the window program's command line, picked by the
// locale's language. Placeholders %1, %2 and %3 take the option, the value and what it accepts.
// Its keywords (commands, options, colour, height and speed names) are the same in both
// languages.

#include "Messages.h"

#include <string_view>

namespace i18n {

enum class CommandLineText : std::size_t {
    // Help; %1 the synopses of the commands, or what an option accepts
    ProgramDescription,
    CommandName,
    CommandArgument,
    HelpOption,
    VersionOption,
    ShowCommand,
    SetCommand,
    CopyCommand,
    FileArgument,
    FromArgument,
    IntoArgument,
    JsonOption,
    OutputOption,
    InPlaceOption,
    FrameOption,
    TextOption,
    CallOption,
    TextColourOption,
    CallColourOption,
    TextHeightOption,
    CallHeightOption,
    SpeedOption,
    // Usage errors: %1 the command or option, %2 what it expects
    MissingCommand,
    UnknownCommand,
    WrongArguments,
    MissingTarget,
    BothTargets,
    RepeatedOption,
    SeeHelp,
    // Refused values: %1 the option, %2 the value, %3 what the option accepts
    NotAFrame,
    NotAName,
    RefusedCharacter,
    TooLong,
    // The window program: its help (%1 the companion's name), a file too many (%1), no display
    WindowDescription,
    WindowFileArgument,
    OneFileOnly,
    NoDisplay,
    Count
};

std::string_view commandLineText(Language language, CommandLineText id);

}  // namespace i18n
