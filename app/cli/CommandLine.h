#pragma once

// The command line: which command, its files and options, and the help. Usage errors end
// with status 2 before any file is read.

#include "Console.h"

#include <QStringList>

namespace cli {

class CommandLine {
public:
    // The arguments as FromArgument gives them, the program's name first.
    CommandLine(QStringList arguments, Console& console);

    // Runs the command; gives the exit status.
    int run();

private:
    int dispatch();

    QStringList arguments_;
    Console& console_;
};

}  // namespace cli
