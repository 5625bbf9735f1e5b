#include "Commands.h"

#include "FirmwareFile.h"
#include "SettingsFormat.h"

namespace cli {

namespace {

Failure NotOpened(const std::string& file, const Console& console)
{
    const std::string_view notice = i18n::message(console.language(), i18n::Message::NotOpenedNotice);
    return {kFileFailed, file + ": " + std::string(notice), {}};
}

firmware::GeneratorSettings Load(const std::string& file, const Console& console)
{
    const firmware::LoadResult result = firmware::LoadFirmwareFile(file);
    switch (result.outcome) {
    case firmware::LoadOutcome::NotOpened:
        throw NotOpened(file, console);
    case firmware::LoadOutcome::NotValid:
        throw Failure{kFileFailed, i18n::invalidFileText(console.language(), file, "\n"), {}};
    case firmware::LoadOutcome::Valid:
        break;
    }
    return result.settings;
}

// The save checks its source again as the open did, so a source changed since is refused.
void Save(const std::string& source, const std::string& target, const firmware::GeneratorSettings& settings,
          const Console& console)
{
    const firmware::EepromRecords records = firmware::EncodeEepromRecords(settings);
    if (firmware::SaveFirmwareFile(source, target, records) != firmware::SaveOutcome::Done)
        throw NotOpened(target, console);
}

}  // namespace

void Show(const std::string& file, bool json, Console& console)
{
    const firmware::GeneratorSettings settings = Load(file, console);
    console.print(json ? Json(settings) : PlainText(settings));
}

void Set(const std::string& file, const std::string& target, const SettingChanges& changes, const Console& console)
{
    Save(file, target, changes.appliedTo(Load(file, console)), console);
}

void Copy(const std::string& from, const std::string& into, const std::string& target, const Console& console)
{
    const firmware::GeneratorSettings settings = Load(from, console);
    Load(into, console);
    Save(into, target, settings, console);
}

}  // namespace cli
