#include "TestText.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testfiles {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, std::string_view content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

namespace {

void AppendHexByte(std::string& line, unsigned byte)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    line += kDigits[(byte >> 4) & 0x0F];
    line += kDigits[byte & 0x0F];
}

}  // namespace

std::string DataRecord(unsigned address, std::span<const unsigned char> bytes)
{
    const unsigned head[4] = {static_cast<unsigned>(bytes.size()), (address >> 8) & 0xFF, address & 0xFF, 0x00};
    std::string line = ":";
    unsigned sum = 0;
    for (unsigned byte : head) {
        AppendHexByte(line, byte);
        sum += byte;
    }
    for (unsigned char byte : bytes) {
        AppendHexByte(line, byte);
        sum += byte;
    }
    AppendHexByte(line, -sum & 0xFF);
    return line;
}

std::string DataRecord(unsigned address, std::initializer_list<unsigned char> bytes)
{
    return DataRecord(address, std::span<const unsigned char>(bytes.begin(), bytes.size()));
}

std::vector<std::string> EepromLines(const firmware::GeneratorSettings& settings)
{
    std::vector<std::string> lines;
    for (const auto& record : firmware::EncodeEepromRecords(settings))
        lines.push_back(firmware::FormatRecordLine(record));
    return lines;
}

firmware::ConfigBlock BlockOf(const firmware::EepromRecords& records)
{
    firmware::ConfigBlock block{};
    for (std::size_t n = 0; n < firmware::kBlockSize; ++n)
        block[n] = records[n / 8][4 + 2 * (n % 8)];
    return block;
}

firmware::ConfigBlock BlockOf(const firmware::GeneratorSettings& settings)
{
    return BlockOf(firmware::EncodeEepromRecords(settings));
}

std::string Join(const std::vector<std::string>& lines, std::string_view lineEnd)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += lineEnd;
    }
    return text;
}

std::string FirmwareText(const std::vector<std::string>& before, const std::vector<std::string>& eeprom,
                         const std::vector<std::string>& after, std::string_view lineEnd)
{
    return Join(before, lineEnd) + Join(eeprom, lineEnd) + Join(after, lineEnd) +
           Join({std::string(firmware::kEndRecord)}, lineEnd);
}

SplitText Split(std::string_view text)
{
    SplitText split;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t feed = text.find('\n', start);
        if (feed == std::string_view::npos) {
            split.lines.emplace_back(text.substr(start));
            return split;
        }
        const bool crlf = feed > start && text[feed - 1] == '\r';
        split.allCrlf = split.allCrlf && crlf;
        split.lines.emplace_back(text.substr(start, feed - start - (crlf ? 1 : 0)));
        start = feed + 1;
    }
    split.endsWithLineEnd = !text.empty();
    return split;
}

int OpenDescriptorCount()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

}  // namespace testfiles
