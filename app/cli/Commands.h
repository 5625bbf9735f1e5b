#pragma once

// The three commands on top of the firmware library: the same open test and the same
// all-or-nothing save as the window. Paths are the argument's bytes. A file that cannot be
// read, is not this firmware or cannot be written throws a Failure with the window's words.

#include "Console.h"
#include "SettingOptions.h"

#include <string>

namespace cli {

void Show(const std::string& file, bool json, Console& console);

// Writes FILE's program with the settings changed into the target (FILE itself for an
// in-place change).
void Set(const std::string& file, const std::string& target, const SettingChanges& changes, const Console& console);

// Writes INTO's program with all the settings of FROM into the target.
void Copy(const std::string& from, const std::string& into, const std::string& target, const Console& console);

}  // namespace cli
