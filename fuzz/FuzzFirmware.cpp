// libFuzzer entry point over the firmware-file format: the scan of arbitrary text, and the
// decode, encode and format road of an arbitrary configuration block. Any broken guarantee
// aborts, so the fuzzer keeps the input as a crash.

#include "FirmwareFormat.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using namespace firmware;

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "firmware invariant broken: %s\n", what);
        std::abort();
    }
}

// Kept apart from HexDigitValue on purpose: the written lines are checked against this.
int UpperHexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsShowableText(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        const auto code = static_cast<unsigned char>(c);
        return code >= 0x20 && code <= 0x7F;
    });
}

void CheckHexDigits(std::string_view input) {
    for (char c : input) {
        const int value = HexDigitValue(c);
        Require(value >= 0 && value <= 15, "HexDigitValue gives 0..15");
        const int upper = UpperHexDigit(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        if (upper >= 0) Require(value == upper, "HexDigitValue of a hex digit of either case");
    }
}

FirmwareScan ScanText(const std::string& text) {
    std::istringstream in(text);
    return ScanFirmware(in);
}

void CheckScan(const std::string& input, const FirmwareScan& scan) {
    const int count = scan.eepromByteCount;
    Require(count >= 0 && count <= kCountAbove128, "EEPROM byte count 0..129");
    Require(count % 8 == 0 || count == kCountAbove128, "EEPROM bytes come eight to a record");
    for (std::size_t i = std::min<std::size_t>(count, kBlockSize); i < kBlockSize; ++i) {
        Require(scan.block[i] == 0, "bytes no record supplied stay 0");
    }
    if (scan.signatureSeen) {
        Require(input.find(kSignatureRecord) != std::string::npos, "signature seen only when present");
    }
    if (count > 0) {
        Require(input.find(kEepromRecordPrefix) != std::string::npos, "EEPROM bytes only from EEPROM records");
    }
    Require(IsValidScan(scan) == (count == 128 && scan.signatureSeen), "validity rule");
}

bool SameScan(const FirmwareScan& a, const FirmwareScan& b) {
    return a.signatureSeen == b.signatureSeen && a.eepromByteCount == b.eepromByteCount && a.block == b.block;
}

// The input with every EEPROM record line too short for its eight words filled up with "0"
// digits to full length. Only for inputs whose lines all fit in one read, so the padding
// cannot move where a long line is cut.
std::optional<std::string> WithShortRecordsPadded(const std::string& input) {
    constexpr std::size_t kFullRecordDigits = 41;  // up to the last data word's low digit
    constexpr std::size_t kLongestLineTaken = 149;
    std::string padded;
    bool changed = false;
    for (std::size_t start = 0; start < input.size();) {
        const std::size_t feed = input.find('\n', start);
        const std::size_t end = feed == std::string::npos ? input.size() : feed;
        std::string_view line(input.data() + start, end - start);
        if (line.size() > kLongestLineTaken) return std::nullopt;
        std::string_view lineEnd(input.data() + end, feed == std::string::npos ? 0 : 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
            lineEnd = std::string_view(input.data() + end - 1, lineEnd.size() + 1);
        }
        padded.append(line);
        if (line.starts_with(kEepromRecordPrefix) && line.size() < kFullRecordDigits) {
            padded.append(kFullRecordDigits - line.size(), '0');
            changed = true;
        }
        padded.append(lineEnd);
        start = end + (feed == std::string::npos ? 0 : 1);
    }
    if (!changed) return std::nullopt;
    return padded;
}

// Missing digits of a short record read as 0, and nothing past the line is read.
void CheckShortRecords(const std::string& input, const FirmwareScan& scan) {
    if (const auto padded = WithShortRecordsPadded(input)) {
        Require(SameScan(ScanText(*padded), scan), "a short record reads as if padded with 0 digits");
    }
}

// The scan stops at the end record: whatever follows it changes nothing.
void CheckEndRecordStops(const std::string& input) {
    const std::string ended = input + "\n" + std::string(kEndRecord);
    const std::string followed = ended + std::string(kLineEnd) + input;
    Require(SameScan(ScanText(followed), ScanText(ended)), "nothing after the end record is read");
}

void CheckSettingsInRange(const GeneratorSettings& s) {
    Require(s.slidingText.size() <= kSlidingTextLength, "sliding text at most 112 characters");
    Require(s.fixedText.size() <= kFixedTextLength, "fixed text at most 6 characters");
    Require(IsShowableText(s.slidingText) && IsShowableText(s.fixedText), "decoded texts hold codes 32..127");
    Require(s.frame >= 0 && s.frame <= 15, "frame 0..15");
    Require(s.slidingHeight >= 0 && s.slidingHeight <= 3, "sliding height 0..3");
    Require(s.fixedHeight >= 0 && s.fixedHeight <= 3, "fixed height 0..3");
    Require(s.slidingColour >= 0 && s.slidingColour <= 7, "sliding colour 0..7");
    Require(s.fixedColour >= 0 && s.fixedColour <= 7, "fixed colour 0..7");
    Require(s.speed >= 0 && s.speed <= 2, "speed 0..2");
}

void CheckRecordBytes(const EepromRecord& record, std::size_t r) {
    Require(record[0] == 0x10 && record[1] == 0x42 && record[2] == 16 * r && record[3] == 0x00,
            "record header: 16 bytes at 0x4200 + 16r, type 00");
    for (std::size_t i = 5; i < 20; i += 2) Require(record[i] == 0x00, "data words' high bytes are 0");
    unsigned sum = 0;
    for (std::uint8_t byte : record) sum += byte;
    Require(sum % 256 == 0, "record bytes and checksum add up to 0");
}

void CheckRecordLine(const EepromRecord& record) {
    const std::string line = FormatRecordLine(record);
    Require(line.size() == 43, "record line is 43 characters");
    Require(std::string_view(line).starts_with(kEepromRecordPrefix), "record line begins :1042");
    unsigned sum = 0;
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        const int high = UpperHexDigit(line[1 + 2 * i]);
        const int low = UpperHexDigit(line[2 + 2 * i]);
        Require(high >= 0 && low >= 0, "record line holds upper-case hex digits");
        Require(high * 16 + low == record[i], "record line spells the record's bytes");
        sum += static_cast<unsigned>(high * 16 + low);
    }
    Require(sum % 256 == 0, "record line's checksum is right");
}

ConfigBlock BlockOfRecords(const EepromRecords& records) {
    ConfigBlock block{};
    for (std::size_t r = 0; r < kRecordCount; ++r) {
        for (std::size_t j = 0; j < 8; ++j) block[8 * r + j] = records[r][4 + 2 * j];
    }
    return block;
}

void CheckWrittenFixedBytes(const ConfigBlock& block, const GeneratorSettings& s) {
    for (std::size_t i = s.slidingText.size(); i < kSlidingTextLength; ++i) {
        Require(block[i] == 0x80, "end markers after the sliding text");
    }
    for (std::size_t i = 112 + s.fixedText.size(); i < 124; ++i) {
        Require(block[i] == 0x80, "end markers after the fixed text and in the spare bytes");
    }
    Require((block[124] & 0xF0) == 0 && (block[125] & 0xCC) == 0, "spare bits of frame and heights are 0");
    for (int nibble : {block[126] >> 4, block[126] & 0x0F}) {
        Require(nibble >= 1 && nibble <= 8, "colour nibbles are 1..8, never 0");
    }
    Require(block[127] == 1 || block[127] == 2 || block[127] == 4, "speed code 1, 2 or 4");
}

std::string FileOfRecords(const EepromRecords& records) {
    std::string text;
    text.append(kSignatureRecord).append(kLineEnd);
    for (const EepromRecord& record : records) text.append(FormatRecordLine(record)).append(kLineEnd);
    text.append(kEndRecord);
    return text;
}

// Decode, encode, format: every record well formed, and what was written reads back the same.
void CheckCodec(const ConfigBlock& block) {
    const GeneratorSettings settings = DecodeBlock(block);
    CheckSettingsInRange(settings);

    const EepromRecords records = EncodeEepromRecords(settings);
    for (std::size_t r = 0; r < kRecordCount; ++r) {
        CheckRecordBytes(records[r], r);
        CheckRecordLine(records[r]);
    }
    const ConfigBlock rebuilt = BlockOfRecords(records);
    CheckWrittenFixedBytes(rebuilt, settings);
    Require(DecodeBlock(rebuilt) == settings, "encoded settings decode back the same");

    const FirmwareScan reread = ScanText(FileOfRecords(records));
    Require(IsValidScan(reread), "a file of the signature and the sixteen records is valid");
    Require(reread.block == rebuilt, "scanning the written lines gives the encoded block");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    CheckHexDigits(input);

    const FirmwareScan scan = ScanText(input);
    CheckScan(input, scan);
    CheckShortRecords(input, scan);
    CheckEndRecordStops(input);
    CheckCodec(scan.block);

    ConfigBlock raw{};
    std::copy_n(data, std::min(size, kBlockSize), raw.begin());
    CheckCodec(raw);
    return 0;
}
