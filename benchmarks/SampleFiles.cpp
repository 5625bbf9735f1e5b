#include "SampleFiles.h"

#include "TestText.h"

#include <array>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
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

void WriteLine(std::ofstream& out, std::string_view line) {
    out << line << firmware::kLineEnd;
}

void Check(const std::ofstream& out, const std::filesystem::path& file) {
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

void WriteRealSize(const std::filesystem::path& file) {
    std::minstd_rand random(2100);
    std::vector<std::string> program;
    for (std::size_t r = 0; r < kProgramRecords; ++r) {
        program.push_back(testfiles::DataRecord(static_cast<unsigned>(16 * r), ProgramWords(random)));
    }
    program.emplace_back(firmware::kSignatureRecord);
    std::vector<std::string> eeprom;
    for (const firmware::EepromRecord& record : SampleFiles::SampleRecords()) {
        eeprom.push_back(firmware::FormatRecordLine(record));
    }
    // Word 0x2007: oscillator, no watchdog.
    const std::string configWord = testfiles::DataRecord(0x400E, {0x18, 0x3F});
    testfiles::WriteAll(file.string(), testfiles::FirmwareText(program, eeprom, {configWord}, firmware::kLineEnd));
}

void WriteLarge(const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::binary);
    std::minstd_rand random(628);
    std::uintmax_t written = 0;
    for (std::uint16_t address = 0; written < kLargeBytes; address += 16) {
        const std::string line = testfiles::DataRecord(address, ProgramWords(random));
        WriteLine(out, line);
        written += line.size() + firmware::kLineEnd.size();
    }
    out.close();
    Check(out, file);
}

}  // namespace

SampleFiles::SampleFiles()
    : folder_("kelvo-bench"),
      realSize_(folder_.path() / "realsize.hex"),
      large_(folder_.path() / "large.hex"),
      saveFolder_(folder_.path() / "saved") {
    std::filesystem::create_directory(saveFolder_);
    WriteRealSize(realSize_);
    WriteLarge(large_);
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
