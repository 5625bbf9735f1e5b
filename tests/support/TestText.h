#pragma once

// Reading and writing whole files and building firmware texts, shared by the tests and the
// benchmarks.

#include "FirmwareFormat.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace testfiles {

// Both throw std::runtime_error when the file cannot be read or written.
std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, std::string_view content);

// An Intel HEX type-00 record with its checksum, upper-case digits, no line end.
std::string DataRecord(unsigned address, std::span<const unsigned char> bytes);
std::string DataRecord(unsigned address, std::initializer_list<unsigned char> bytes);

// The sixteen EEPROM record lines of the settings, as the encoder builds them.
std::vector<std::string> EepromLines(const firmware::GeneratorSettings& settings);

// The block bytes the records carry: record r's data words hold bytes 8r..8r+7.
firmware::ConfigBlock BlockOf(const firmware::EepromRecords& records);
// The block that the encoder's records for the settings carry.
firmware::ConfigBlock BlockOf(const firmware::GeneratorSettings& settings);

// Each line followed by lineEnd.
std::string Join(const std::vector<std::string>& lines, std::string_view lineEnd);

// A firmware text: the lines before the EEPROM records, those, the lines after them and the
// end record, each line ended by lineEnd (the end record too).
std::string FirmwareText(const std::vector<std::string>& before, const std::vector<std::string>& eeprom,
                         const std::vector<std::string>& after, std::string_view lineEnd);

// The lines of a text split at its line feeds (a carriage return before one belongs to
// the line end); also tells whether every line end was CRLF and whether the text ended
// with one.
struct SplitText {
    std::vector<std::string> lines;
    bool allCrlf = true;
    bool endsWithLineEnd = false;
};
SplitText Split(std::string_view text);

// The number of file descriptors this process has open.
int OpenDescriptorCount();

}  // namespace testfiles
