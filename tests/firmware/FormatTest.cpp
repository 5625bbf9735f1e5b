// The configuration block both ways and the scan's line rules, one row a case.

#include "FirmwareFormat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

using namespace firmware;
using namespace std::string_literals;

TEST(Decoding, OddBytesReadAsTheDeviceReadsThem)
{
    // Bytes put at a place in a block of empty texts, black on black, slow.
    const std::tuple<std::size_t, std::string, GeneratorSettings> rows[] = {
        {0, "CQ\x80Z", {.slidingText = "CQ"}}, {0, "\x80Z", {}}, {112, "I\x80Z", {.fixedText = "I"}},
        {0, "\x1F\x20\x7F\x81\xFF\x00\x80"s, {.slidingText = ". \x7F..."}},
        {0, std::string(112, 'S') + "FFFFFFZZ", {.slidingText = std::string(112, 'S'), .fixedText = "FFFFFF"}},
        {124, "\xFB", {.frame = 11}}, {125, "\x21", {.slidingHeight = 2, .fixedHeight = 1}},
        {125, "\xEE", {.slidingHeight = 2, .fixedHeight = 2}}, {126, "\x28", {.slidingColour = 2}},
        {126, "\xF9", {.slidingColour = 7, .fixedColour = 1}}, {127, "\x02", {.speed = 1}},
        {127, "\x00"s, {.speed = 2}}, {127, "\x04", {.speed = 2}}, {127, "\x05", {.speed = 0}},
    };
    for (const auto& [at, bytes, decoded] : rows) {
        ConfigBlock block;
        block.fill(0x80);
        std::copy_n("\x00\x00\x88\x01", 4, block.begin() + 124);
        std::copy(bytes.begin(), bytes.end(), block.begin() + static_cast<std::ptrdiff_t>(at));
        EXPECT_EQ(DecodeBlock(block), decoded) << "bytes at " << at << ": " << bytes;
    }
}

TEST(Encoding, RecordLinesOfOddSettings)
{
    const std::tuple<GeneratorSettings, std::size_t, const char*> rows[] = {
        {{.slidingText = "CQ"}, 0, ":10420000430051008000800080008000800080001A"},
        {{.frame = 5, .slidingHeight = 1, .fixedHeight = 2, .slidingColour = 2, .speed = 1}, 15,
         ":1042F000800080008000800005001200280002007D"},
        {{}, 15, ":1042F0008000800080008000000000008800010035"},
        {{.slidingText = "A\xE8~"}, 0, ":104200004100E8007E008000800080008000800087"},
        {{.slidingText = std::string(112, 'S') + "OVER"}, 13, ":1042D0005300530053005300530053005300530046"},
        {{.fixedText = "IZ0XYZ/P"}, 14, ":1042E00049005A003000580059005A0080008000F0"},
        {{.frame = 31, .slidingHeight = 7, .fixedHeight = 5, .slidingColour = 9, .fixedColour = 15, .speed = 2}, 15,
         ":1042F00080008000800080000F0031001700040063"},
        {{.fixedColour = 7, .speed = -1}, 15, ":1042F0008000800080008000000000008700020035"},
    };
    for (const auto& [settings, record, line] : rows)
        EXPECT_EQ(FormatRecordLine(EncodeEepromRecords(settings)[record]), line);
}

// n EEPROM records at one address, the i-th carrying eight bytes 'A' + i (0x41 on): the scan
// reads neither addresses nor checksums.
std::string Records(int n)
{
    std::string text;
    for (int i = 0; i < n; ++i) {
        char word[12];
        std::snprintf(word, sizeof word, "%02X00", 'A' + i);
        text += ":10420000";
        for (int w = 0; w < 8; ++w)
            text += word;
        text += "00\n";
    }
    return text;
}

TEST(Scanning, LineRules)
{
    const std::string sig = std::string(kSignatureRecord) + "\n", end = std::string(kEndRecord) + "\n";
    // Text, signature seen, EEPROM byte count, the block's first bytes.
    const std::tuple<std::string, bool, int, std::vector<std::uint8_t>> rows[] = {
        {"", false, 0, {}}, {sig + Records(16) + end, true, 128, {'A', 'A', 'A', 'A', 'A', 'A', 'A', 'A', 'B'}},
        {Records(8) + sig + Records(8) + end, true, 128, {}}, {Records(16) + end + sig, false, 128, {}},
        {sig + Records(15) + end, true, 120, {}}, {sig + Records(17) + end, true, 129, {}},
        {sig + Records(16) + end + Records(1), true, 128, {}}, {sig + ":00000001FF ; end\n" + Records(8), true, 0, {}},
        {":100ff0004c3475346d3469346f345f34323430348a\n", false, 0, {}},
        {":100FF0004C3475346D3469346F344F34323430348A\n", false, 0, {}},
        {std::string(kSignatureRecord) + " ; Lumio_20\n", true, 0, {}},
        {std::string(199, 'x') + Records(1), false, 8, {'A'}}, {std::string(198, 'x') + Records(1), false, 0, {}},
        {std::string(199, 'y') + "\r\n" + Records(1), false, 8, {'A'}},
        {":104200004a006f00\n", false, 8, {0x4A, 0x6F}},
        {":1042zzzz41QQ42!!43##44$$45%%46^^47&&48**??\n", false, 8, {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48}},
        {":1042\n", false, 8, {0, 0, 0, 0, 0, 0, 0, 0}}, {":1042000041005\n", false, 8, {0x41, 0x50, 0}},
        {":1042000041\n4142434445464748494A\n", false, 8, {0x41, 0}}, {":104200004100\r\n", false, 8, {0x41, 0}},
        {":104200004100\r", false, 8, {0x41, 0xD0}}, {":1042000041\0\r42"s, false, 8, {0x41, 0x42}},
    };
    for (const auto& [text, signature, count, start] : rows) {
        std::istringstream in(text);
        const FirmwareScan scan = ScanFirmware(in);
        EXPECT_EQ(std::tie(scan.signatureSeen, scan.eepromByteCount), std::tie(signature, count)) << text;
        EXPECT_TRUE(std::equal(start.begin(), start.end(), scan.block.begin())) << text;
    }
}
