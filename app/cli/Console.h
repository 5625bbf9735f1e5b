#pragma once

// Where the commands speak: their output, their errors, in the locale's language.

#include "CommandLineTexts.h"

#include <initializer_list>
#include <iosfwd>
#include <string>
#include <string_view>

namespace cli {

inline constexpr std::string_view kProgramName = "kelvo-barre-cli";

enum ExitStatus : int { kSuccess = 0, kFileFailed = 1, kUsageError = 2 };

// Thrown where a command cannot go on: nothing has been written, the program reports it and
// ends with its status.
struct Failure {
    int status = kFileFailed;
    std::string message;  // bytes, without the program's name
    std::string helpFor;  // a usage error names the command line whose --help tells more
};

class Console {
public:
    Console(std::ostream& out, std::ostream& err, i18n::Language language);

    i18n::Language language() const { return language_; }

    // The text in the console's language, its %1, %2, %3 replaced in one pass.
    std::string text(i18n::CommandLineText id, std::initializer_list<std::string_view> arguments = {}) const;

    void print(std::string_view bytes);

    // Writes the failure to the error stream; gives its exit status.
    int report(const Failure& failure);

private:
    std::ostream& out_;
    std::ostream& err_;
    i18n::Language language_;
};

}  // namespace cli
