#include "SampleFiles.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <span>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr std::size_t kProgramRecords = 100;
constexpr std::uintmax_t kLargeBytes = 50u * 1024 * 1024;

// Sixteen bytes of PIC16 program: eight 14-bit words, low byte first.
std::array<std::uint8_t, 16> ProgramWords(std::minstd_rand& random) {
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto word = static_cast<std::uint16_t>(random() & 0x3FFF);
        bytes[i] = static_cast<std::uint8_t>(word & 0xFF);
        bytes[i + 1] = static_cast<std::uint8_t>(word >> 8);
    }
    return bytes;
}

// An Intel HEX type-00 record with its checksum, no line end.
std::string DataRecord(unsigned address, std::span<const std::uint8_t> bytes) {
    std::vector<unsigned> all = {static_cast<unsigned>(bytes.size()), (address >> 8) & 0xFF, address & 0xFF, 0};
    all.insert(all.end(), bytes.begin(), bytes.end());
    unsigned sum = 0;
    std::string line = ":";
    char digits[3];
    for (const unsigned byte : all) {
        std::snprintf(digits, sizeof digits, "%02X", byte);
        line += digits;
        sum += byte;
    }
    std::snprintf(digits, sizeof digits, "%02X", -sum & 0xFF);
    return line + digits;
}

std::filesystem::path NewFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvo-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a folder for the sample files");
    return pattern;
}

void WriteLine(std::ofstream& out, std::string_view line) {
    out << line << firmware::kLineEnd;
}

void Check(const std::ofstream& out, const std::filesystem::path& file) {
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

void WriteRealSize(const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::binary);
    std::minstd_rand random(2100);
    for (std::size_t r = 0; r < kProgramRecords; ++r) {
        WriteLine(out, DataRecord(static_cast<unsigned>(16 * r), ProgramWords(random)));
    }
    WriteLine(out, firmware::kSignatureRecord);
    for (const firmware::EepromRecord& record : SampleFiles::SampleRecords()) {
        WriteLine(out, firmware::FormatRecordLine(record));
    }
    // Word 0x2007: oscillator, no watchdog.
    const std::array<std::uint8_t, 2> configWord = {0x18, 0x3F};
    WriteLine(out, DataRecord(0x400E, configWord));
    WriteLine(out, firmware::kEndRecord);
    out.close();
    Check(out, file);
}

void WriteLarge(const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::binary);
    std::minstd_rand random(628);
    std::uintmax_t written = 0;
    for (std::uint16_t address = 0; written < kLargeBytes; address += 16) {
        const std::string line = DataRecord(address, ProgramWords(random));
        WriteLine(out, line);
        written += line.size() + firmware::kLineEnd.size();
    }
    out.close();
    Check(out, file);
}

}  // namespace

SampleFiles::SampleFiles()
    : folder_(NewFolder()),
      realSize_(folder_ / "realsize.hex"),
      large_(folder_ / "large.hex"),
      saveFolder_(folder_ / "saved") {
    std::filesystem::create_directory(saveFolder_);
    WriteRealSize(realSize_);
    WriteLarge(large_);
}

SampleFiles::~SampleFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::uintmax_t SampleFiles::SizeOf(const std::filesystem::path& file) {
    return std::filesystem::file_size(file);
}

firmware::EepromRecords SampleFiles::SampleRecords() {
    const firmware::GeneratorSettings settings{
        .slidingText = "CQ CQ DE IW2XYZ ATV 1255 MHZ - TEST PATTERN GENERATOR", .fixedText = "IW2XYZ", .frame = 5,
        .slidingHeight = 1, .fixedHeight = 2, .slidingColour = 2, .fixedColour = 0, .speed = 1};
    return firmware::EncodeEepromRecords(settings);
}
