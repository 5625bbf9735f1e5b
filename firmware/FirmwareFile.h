#pragma once

// Loading a firmware file and writing one back. Window-free.

#include "FirmwareFormat.h"

#include <string>

namespace firmware {

enum class LoadOutcome { NotOpened, NotValid, Valid };

struct LoadResult {
    LoadOutcome outcome = LoadOutcome::NotOpened;
    GeneratorSettings settings;  // meaningful only when outcome is Valid
};

// Only regular files are read; anything else (missing, a folder, a FIFO, a device) is NotOpened.
LoadResult LoadFirmwareFile(const std::string& path);

enum class SaveOutcome { NotOpened, Done };

// Writes the source's lines before its first EEPROM record, the sixteen records, the
// source's other records up to its end record and one end record, to a temporary file
// beside the target, then renames it over the target, which keeps its group and its
// owner (each where the system allows it) and its permissions. All or nothing: on any
// failure the target is untouched, no temporary file of this save remains and the outcome
// is NotOpened. Refused are: a source that no longer passes the open's test, a target that
// is not a regular file, and a temporary name that another save still in progress is writing.
SaveOutcome SaveFirmwareFile(const std::string& sourcePath, const std::string& targetPath,
                             const EepromRecords& records);

// The target's name with its last three characters replaced by "Tmp".
std::string TemporaryNameFor(const std::string& targetPath);

}  // namespace firmware
