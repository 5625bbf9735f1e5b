#pragma once

// The window program's command line: at most one firmware file to open at start, --help and
// --version. It is read before the application object exists and without a display, so that
// help, version and usage errors work over ssh too.

#include "Messages.h"

#include <QString>
#include <QStringList>

#include <iosfwd>
#include <optional>

inline constexpr char kProgramName[] = "kelvo-barre";
inline constexpr char kCompanionName[] = "kelvo-barre-cli";  // the same jobs without a window

enum ExitStatus : int { kDone = 0, kNoDisplay = 1, kUsageError = 2 };

class WindowCommandLine {
public:
    // The arguments as the program got them, its name first; the language of what it writes.
    WindowCommandLine(QStringList arguments, i18n::Language language);

    // No help, no version, no usage error: the window is to open.
    bool opensWindow() const { return outcome_ == Outcome::Window; }

    // The file to open at start, made absolute from the current folder as the open dialog
    // gives a name.
    const std::optional<QString>& file() const { return file_; }

    // Writes the help or the version to out, or the usage error to err in one line; gives the
    // exit status. Needs a QCoreApplication, which brings Qt's own texts in the language.
    int report(std::ostream& out, std::ostream& err) const;

private:
    enum class Outcome { Window, Help, Version, UsageError };

    QStringList arguments_;
    i18n::Language language_;
    Outcome outcome_ = Outcome::Window;
    std::optional<QString> file_;
};
