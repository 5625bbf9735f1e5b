#include "SampleFiles.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <random>
#include <span>
#include <stdexcept>
#include <string>

namespace {

constexpr std::size_t kProgramRecords = 100;
constexpr std::uintmax_t kLargeBytes = 50u * 1024 * 1024;

void AppendHexByte(std::string& line, std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    line += kDigits[byte >> 4];
    line += kDigits[byte & 0x0F];
}

// One Intel HEX type-00 record with its checksum, without a line end.
std::string DataRecord(std::uint16_t address, std::span<const std::uint8_t> data) {
    std::string line = ":";
    const std::array<std::uint8_t, 4> head{static_cast<std::uint8_t>(data.size()),
                                           static_cast<std::uint8_t>(address >> 8),
                                           static_cast<std::uint8_t>(address & 0xFF), 0x00};
    unsigned sum = 0;
    for (std::uint8_t byte : head) {
        AppendHexByte(line, byte);
        sum += byte;
    }
    for (std::uint8_t byte : data) {
        AppendHexByte(line, byte);
        sum += byte;
    }
    AppendHexByte(line, static_cast<std::uint8_t>(-sum & 0xFF));
    return line;
}

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
    std::ofstream out(file, std::ios::binary);
    std::minstd_rand random(2100);
    for (std::size_t r = 0; r < kProgramRecords; ++r) {
        WriteLine(out, DataRecord(static_cast<std::uint16_t>(16 * r), ProgramWords(random)));
    }
    WriteLine(out, firmware::kSignatureRecord);
    for (const firmware::EepromRecord& record : SampleFiles::SampleRecords()) {
        WriteLine(out, firmware::FormatRecordLine(record));
    }
    const std::array<std::uint8_t, 2> configWord{0x18, 0x3F};  // word 0x2007: oscillator, no watchdog
    WriteLine(out, DataRecord(0x400E, configWord));
    out << firmware::kEndRecord;
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

std::filesystem::path MakeFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvo-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
    return pattern;
}

}  // namespace

SampleFiles::SampleFiles()
    : folder_(MakeFolder()),
      realSize_(folder_ / "realsize.hex"),
      large_(folder_ / "large.hex"),
      saveFolder_(folder_ / "saved") {
    try {
        std::filesystem::create_directory(saveFolder_);
        WriteRealSize(realSize_);
        WriteLarge(large_);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        throw;
    }
}

SampleFiles::~SampleFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::uintmax_t SampleFiles::SizeOf(const std::filesystem::path& file) {
    return std::filesystem::file_size(file);
}

firmware::EepromRecords SampleFiles::SampleRecords() {
    firmware::GeneratorSettings settings;
    settings.slidingText = "CQ CQ DE IW2XYZ ATV 1255 MHZ - TEST PATTERN GENERATOR";
    settings.fixedText = "IW2XYZ";
    settings.frame = 5;
    settings.slidingHeight = 1;
    settings.fixedHeight = 2;
    settings.slidingColour = 2;
    settings.fixedColour = 0;
    settings.speed = 1;
    return firmware::EncodeEepromRecords(settings);
}
