#pragma once

// Whole files and firmware texts, for the firmware and window tests.

#include "FirmwareFormat.h"

#include <fstream>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace testfiles {

// Both throw std::runtime_error when the file cannot be read or written.
inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : throw std::runtime_error("cannot read " + path);
}

inline void WriteAll(const std::string& path, std::string_view content)
{
    if (!std::ofstream(path, std::ios::binary).write(content.data(), std::streamsize(content.size())).flush())
        throw std::runtime_error("cannot write " + path);
}

// An Intel HEX type-00 record with its checksum, upper-case digits, no line end.
inline std::string DataRecord(unsigned address, const std::vector<unsigned char>& bytes)
{
    std::vector<unsigned> all = {unsigned(bytes.size()), address >> 8 & 0xFF, address & 0xFF, 0};
    all.insert(all.end(), bytes.begin(), bytes.end());
    all.push_back(-std::accumulate(all.begin(), all.end(), 0U) & 0xFF);
    std::string line = ":";
    for (const unsigned byte : all)
        line.append({"0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 15]});
    return line;
}

// The sixteen EEPROM record lines of the settings, and (further down) the block they carry.
inline std::vector<std::string> EepromLines(const firmware::GeneratorSettings& settings)
{
    std::vector<std::string> lines;
    for (const firmware::EepromRecord& record : firmware::EncodeEepromRecords(settings))
        lines.push_back(firmware::FormatRecordLine(record));
    return lines;
}

// The lines before the EEPROM records, those, the lines after them and the end record, each
// line ended by lineEnd (the end record too).
inline std::string FirmwareText(const std::vector<std::string>& before, const std::vector<std::string>& eeprom,
                                const std::vector<std::string>& after, std::string_view lineEnd)
{
    std::string text;
    for (const auto* part : {&before, &eeprom, &after})
        for (const std::string& line : *part)
            text.append(line).append(lineEnd);
    return text.append(firmware::kEndRecord).append(lineEnd);
}

inline firmware::ConfigBlock BlockOf(const firmware::GeneratorSettings& settings)
{
    std::istringstream lines(FirmwareText({}, EepromLines(settings), {}, "\n"));
    return firmware::ScanFirmware(lines).block;
}

}  // namespace testfiles
