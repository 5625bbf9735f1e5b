#pragma once

// The generator's configuration block (its 128-byte data EEPROM) and the
// three kinds of Intel HEX line the tool understands in its firmware file.

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace firmware {

inline constexpr std::size_t kBlockSize = 128;
inline constexpr std::size_t kSlidingTextLength = 112;
inline constexpr std::size_t kFixedTextLength = 6;
inline constexpr std::size_t kRecordCount = 16;
inline constexpr std::size_t kRecordSize = 21;  // count, address (2), type, 16 data, checksum
inline constexpr int kCountAbove128 = 129;      // any EEPROM byte count above 128

// Longest line the scan and the copy take in one piece; a longer line is read as several.
inline constexpr std::size_t kMaxLineLength = 199;

inline constexpr std::string_view kSignatureRecord = ":100FF0004C3475346D3469346F345F34323430348A";
inline constexpr std::string_view kEepromRecordPrefix = ":1042";
inline constexpr std::string_view kEndRecord = ":00000001FF";
inline constexpr std::string_view kLineEnd = "\r\n";

using ConfigBlock = std::array<std::uint8_t, kBlockSize>;
using EepromRecord = std::array<std::uint8_t, kRecordSize>;
using EepromRecords = std::array<EepromRecord, kRecordCount>;

// The decoded configuration block. Texts hold 8-bit character codes.
struct GeneratorSettings {
    std::string slidingText{};  // 0..112 characters
    std::string fixedText{};    // 0..6 characters (the call sign)
    int frame = 0;              // 0..15
    int slidingHeight = 0;      // 0 small, 1 medium, 2 normal, 3 big
    int fixedHeight = 0;
    int slidingColour = 0;      // colour code 0..7
    int fixedColour = 0;
    int speed = 0;              // 0 slow, 1 normal, 2 high

    bool operator==(const GeneratorSettings&) const = default;
};

struct FirmwareScan {
    bool signatureSeen = false;
    int eepromByteCount = 0;  // 0..129
    ConfigBlock block{};      // bytes no EEPROM record supplied are 0
};

struct RgbColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const RgbColour&) const = default;
};

// 0..15 for hex digits of either case; other characters give the formula's low four bits.
int HexDigitValue(char c);

// Scans from the stream's current position up to the end record or the end of the stream;
// it reads ahead, so the stream may stand past the end record afterwards.
FirmwareScan ScanFirmware(std::istream& in);

// Exactly sixteen EEPROM records and the signature record.
bool IsValidScan(const FirmwareScan& scan);

GeneratorSettings DecodeBlock(const ConfigBlock& block);
EepromRecords EncodeEepromRecords(const GeneratorSettings& settings);

// The record as text, without a line end.
std::string FormatRecordLine(const EepromRecord& record);

// Display colour of a colour code (only its low three bits are used).
RgbColour ColourOfCode(int code);

}  // namespace firmware
