#include "Console.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace cli {

Console::Console(std::ostream& out, std::ostream& err, i18n::Language language)
    : out_(out), err_(err), language_(language)
{
}

std::string Console::text(i18n::CommandLineText id, std::initializer_list<std::string_view> arguments) const
{
    const std::string_view pattern = i18n::commandLineText(language_, id);
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool placeholder = pattern[i] == '%' && i + 1 < pattern.size();
        const std::size_t number = placeholder ? std::size_t(pattern[i + 1] - '1') : arguments.size();
        if (number < arguments.size()) {
            out += arguments.begin()[number];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

void Console::print(std::string_view bytes)
{
    out_ << bytes << std::flush;
    if (!out_)  // a full disk or a closed pipe: what was shown is incomplete
        throw Failure{kFileFailed, std::string("stdout: ") + std::strerror(errno), {}};
}

int Console::report(const Failure& failure)
{
    err_ << kProgramName << ": " << failure.message << '\n';
    if (!failure.helpFor.empty())
        err_ << text(i18n::CommandLineText::SeeHelp, {failure.helpFor}) << '\n';
    err_ << std::flush;
    return failure.status;
}

}  // namespace cli
