// The configuration block's layout: decoding it into settings and encoding settings
// into the sixteen EEPROM records.

#include "FirmwareFormat.h"

#include <algorithm>
#include <numeric>

namespace firmware {

namespace {

constexpr std::uint8_t kEndMarker = 0x80;
constexpr std::size_t kFixedTextStart = kSlidingTextLength;  // bytes 112..117
constexpr std::size_t kFrameByte = 124;
constexpr std::size_t kHeightsByte = 125;
constexpr std::size_t kColoursByte = 126;
constexpr std::size_t kSpeedByte = 127;

constexpr std::size_t kBytesPerRecord = 8;
constexpr std::size_t kFirstDataByte = 4;  // after count, address and type
constexpr std::uint8_t kEepromAddressHigh = 0x42;

std::string DecodeText(const ConfigBlock& block, std::size_t start, std::size_t length)
{
    std::string text;
    for (std::size_t i = start; i < start + length; ++i) {
        const std::uint8_t byte = block[i];
        if (byte == kEndMarker)
            break;
        // The device shows only 0x20..0x7F; anything else is shown as a full stop.
        text.push_back(byte >= 0x20 && byte <= 0x7F ? static_cast<char>(byte) : '.');
    }
    return text;
}

int SpeedIndexOfCode(std::uint8_t code)
{
    switch (code & 3) {
    case 1: return 0;   // slow
    case 0: return 2;   // high (the code 4)
    default: return 1;  // normal
    }
}

std::uint8_t SpeedCodeOfIndex(int index)
{
    switch (index) {
    case 0: return 1;
    case 2: return 4;
    default: return 2;  // normal, also for an index that names no speed
    }
}

// Black is stored as the nibble 8, never 0; a reader keeps the low three bits.
std::uint8_t ColourNibble(int code)
{
    const int colour = code & 7;
    return static_cast<std::uint8_t>(colour == 0 ? 8 : colour);
}

std::uint8_t Checksum(const EepromRecord& record)
{
    const unsigned sum = std::accumulate(record.begin(), record.end() - 1, 0U);
    return static_cast<std::uint8_t>(-sum & 0xFFU);
}

EepromRecords EmptyRecords()
{
    EepromRecords records{};
    for (std::size_t r = 0; r < records.size(); ++r) {
        EepromRecord& record = records[r];
        record.fill(0x00);
        record[0] = 0x10;
        record[1] = kEepromAddressHigh;
        record[2] = static_cast<std::uint8_t>(16 * r);
        for (std::size_t j = 0; j < kBytesPerRecord; ++j)
            record[kFirstDataByte + 2 * j] = kEndMarker;
    }
    return records;
}

// Block byte n is the low byte of data word n % 8 in record n / 8.
std::uint8_t& BlockByte(EepromRecords& records, std::size_t n)
{
    return records[n / kBytesPerRecord][kFirstDataByte + 2 * (n % kBytesPerRecord)];
}

void EncodeText(EepromRecords& records, std::string_view text, std::size_t start, std::size_t length)
{
    const std::size_t stored = std::min(text.size(), length);
    for (std::size_t i = 0; i < stored; ++i)
        BlockByte(records, start + i) = static_cast<std::uint8_t>(text[i]);
}

}  // namespace

GeneratorSettings DecodeBlock(const ConfigBlock& block)
{
    GeneratorSettings settings;
    settings.slidingText = DecodeText(block, 0, kSlidingTextLength);
    settings.fixedText = DecodeText(block, kFixedTextStart, kFixedTextLength);
    settings.frame = block[kFrameByte] & 0x0F;
    settings.fixedHeight = block[kHeightsByte] & 3;
    settings.slidingHeight = (block[kHeightsByte] >> 4) & 3;
    settings.fixedColour = block[kColoursByte] & 7;
    settings.slidingColour = (block[kColoursByte] >> 4) & 7;
    settings.speed = SpeedIndexOfCode(block[kSpeedByte]);
    return settings;
}

EepromRecords EncodeEepromRecords(const GeneratorSettings& settings)
{
    EepromRecords records = EmptyRecords();
    EncodeText(records, settings.slidingText, 0, kSlidingTextLength);
    EncodeText(records, settings.fixedText, kFixedTextStart, kFixedTextLength);
    BlockByte(records, kFrameByte) = static_cast<std::uint8_t>(settings.frame & 0x0F);
    BlockByte(records, kHeightsByte) =
        static_cast<std::uint8_t>(((settings.slidingHeight & 3) << 4) | (settings.fixedHeight & 3));
    BlockByte(records, kColoursByte) = static_cast<std::uint8_t>(
        (ColourNibble(settings.slidingColour) << 4) | ColourNibble(settings.fixedColour));
    BlockByte(records, kSpeedByte) = SpeedCodeOfIndex(settings.speed);
    for (EepromRecord& record : records)
        record.back() = Checksum(record);
    return records;
}

RgbColour ColourOfCode(int code)
{
    static constexpr RgbColour kColours[8] = {
        {0x00, 0x00, 0x00},  // black
        {0x00, 0x00, 0x80},  // navy
        {0xFF, 0x00, 0x00},  // red
        {0xFF, 0x00, 0xFF},  // fuchsia
        {0x00, 0xFF, 0x00},  // lime
        {0x00, 0xFF, 0xFF},  // aqua
        {0xFF, 0xFF, 0x00},  // yellow
        {0xFF, 0xFF, 0xFF},  // white
    };
    return kColours[code & 7];
}

}  // namespace firmware
