#pragma once

// The options of the set command, one for each setting. Each value is checked as a whole
// before any file is read: nothing the generator cannot take is cut, mapped or replaced.

#include "Console.h"
#include "FirmwareFormat.h"

#include <QCommandLineParser>

#include <optional>
#include <string>
#include <vector>

namespace cli {

void AddSettingOptions(QCommandLineParser& parser, const Console& console);

class SettingChanges {
public:
    // The settings given on the command line; throws a usage Failure for a value refused.
    static SettingChanges FromOptions(const QCommandLineParser& parser, const Console& console);

    // The settings with each given one changed, the others as they were.
    firmware::GeneratorSettings appliedTo(firmware::GeneratorSettings settings) const;

private:
    std::optional<int> frame_;
    std::vector<std::optional<std::string>> texts_;  // by row of the text options
    std::vector<std::optional<int>> codes_;          // by row of the named options
};

}  // namespace cli
