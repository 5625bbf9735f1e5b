#pragma once

// Building firmware texts and checking written files, shared by the firmware tests.

#include "FirmwareFormat.h"
#include "TestText.h"

#include <functional>
#include <string>
#include <string_view>

namespace testfiles {

inline constexpr std::string_view kCodeRecord = ":0C0000008316860183128601860A0428FC";
inline constexpr std::string_view kConfigRecord = ":02400E00703F01";

// A firmware text: a code record, the signature, the EEPROM records of the settings, the
// configuration word and the end record, each line ended by lineEnd (the end record too).
std::string ValidFirmwareText(const firmware::GeneratorSettings& settings, std::string_view lineEnd);

// Settings with something in every field, none of them the default value.
firmware::GeneratorSettings SampleSettings();
// Every field at its far end, the texts full of bytes the device cannot show.
firmware::GeneratorSettings OddSettings();

// The exit status of a shell command (-1 if it did not exit normally).
int RunCommand(const std::string& command);
// Its standard output.
std::string CommandOutput(const std::string& command);

// srec_cat reads the file as Intel HEX, checksums verified, without complaint.
bool SrecordAccepts(const std::string& path);
// srec_info's list of the address ranges in the file.
std::string SrecordRanges(const std::string& path);
// srec_cmp finds the same data at the same addresses in both files.
bool SrecordSameData(const std::string& first, const std::string& second);

// Runs body in a child process and gives its result, or -1 if the child did not exit by
// itself, for instance because it was still blocked after a few seconds.
int ResultInChild(const std::function<int()>& body);

}  // namespace testfiles
