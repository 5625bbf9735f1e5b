// The configuration block's fields: decoding odd byte values, encoding odd settings, and
// the fixed bytes an encoded block always carries.

#include "FirmwareFormat.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

using namespace firmware;

namespace {

ConfigBlock FilledBlock(std::uint8_t value)
{
    ConfigBlock block{};
    block.fill(value);
    return block;
}

// A block filled with `fill` and the given bytes written at the starts of the two text
// fields (0 and 112).
ConfigBlock BlockWithTexts(std::uint8_t fill, std::string_view sliding, std::string_view fixed)
{
    ConfigBlock block = FilledBlock(fill);
    std::copy(sliding.begin(), sliding.end(), block.begin());
    std::copy(fixed.begin(), fixed.end(), block.begin() + 112);
    return block;
}

void ExpectTexts(const ConfigBlock& block, const std::string& sliding, const std::string& fixed)
{
    const GeneratorSettings settings = DecodeBlock(block);
    EXPECT_EQ(settings.slidingText, sliding);
    EXPECT_EQ(settings.fixedText, fixed);
}

// A block with both texts empty and the given bytes 124..127.
ConfigBlock BlockWithTail(std::uint8_t frame, std::uint8_t heights, std::uint8_t colours, std::uint8_t speed)
{
    ConfigBlock block = FilledBlock(0x80);
    block[124] = frame;
    block[125] = heights;
    block[126] = colours;
    block[127] = speed;
    return block;
}

// A byte of the block's tail and the two fields it decodes to.
struct NibblePair {
    std::uint8_t byte;
    int sliding;
    int fixed;
};

// Decodes each byte at tail position `tail` (125 heights, 126 colours) and checks the
// sliding text's and the call sign's field.
void ExpectDecodedPairs(std::size_t tail, int GeneratorSettings::*sliding, int GeneratorSettings::*fixed,
                        std::initializer_list<NibblePair> cases)
{
    for (const NibblePair& pair : cases) {
        ConfigBlock block = BlockWithTail(0, 0, 0, 1);
        block[tail] = pair.byte;
        const GeneratorSettings settings = DecodeBlock(block);
        EXPECT_EQ(settings.*sliding, pair.sliding) << "byte " << int(pair.byte);
        EXPECT_EQ(settings.*fixed, pair.fixed) << "byte " << int(pair.byte);
    }
}

using testfiles::BlockOf;

}  // namespace

TEST(TextDecoding, EndMarkerFirstGivesAnEmptyTextWhateverFollows)
{
    ExpectTexts(BlockWithTexts('A', "\x80", "\x80"), "", "");
}

TEST(TextDecoding, TextStopsAtTheFirstMarker)
{
    ExpectTexts(BlockWithTexts('Z', "CQ\x80", "I\x80"), "CQ", "I");
}

TEST(TextDecoding, FullFieldsHaveNoMarkerAndDoNotRunIntoTheNextField)
{
    ExpectTexts(BlockWithTexts('S', "", "FFFFFF"), std::string(112, 'S'), std::string(6, 'F'));
}

TEST(TextDecoding, BytesTheDeviceCannotShowBecomeFullStops)
{
    for (int value = 0; value < 256; ++value) {
        if (value == 0x80)
            continue;
        ConfigBlock block = FilledBlock(0x80);
        block[0] = static_cast<std::uint8_t>(value);
        block[112] = static_cast<std::uint8_t>(value);
        const bool shown = value >= 0x20 && value <= 0x7F;
        const std::string expected(1, shown ? static_cast<char>(value) : '.');
        const GeneratorSettings settings = DecodeBlock(block);
        EXPECT_EQ(settings.slidingText, expected) << "byte " << value;
        EXPECT_EQ(settings.fixedText, expected) << "byte " << value;
    }
}

TEST(FieldDecoding, FrameIsTheLowNibble)
{
    EXPECT_EQ(DecodeBlock(BlockWithTail(0xF3, 0, 0, 1)).frame, 3);
    EXPECT_EQ(DecodeBlock(BlockWithTail(0x0F, 0, 0, 1)).frame, 15);
    EXPECT_EQ(DecodeBlock(BlockWithTail(0x10, 0, 0, 1)).frame, 0);
}

TEST(FieldDecoding, HeightsAreBitsZeroOneAndFourFive)
{
    // Mixed, the spare bits only, all bits.
    ExpectDecodedPairs(125, &GeneratorSettings::slidingHeight, &GeneratorSettings::fixedHeight,
                       {{0x21, 2, 1}, {0xCC, 0, 0}, {0xFF, 3, 3}});
}

TEST(FieldDecoding, ColourNibblesKeepTheirLowThreeBits)
{
    // Black both ways, red on black, the high bits set.
    ExpectDecodedPairs(126, &GeneratorSettings::slidingColour, &GeneratorSettings::fixedColour,
                       {{0x88, 0, 0}, {0x00, 0, 0}, {0x28, 2, 0}, {0xF9, 7, 1}});
}

TEST(FieldDecoding, EverySpeedByteMapsToOneOfTheThreeSpeeds)
{
    const std::pair<std::uint8_t, int> cases[] = {
        {1, 0}, {2, 1}, {3, 1}, {0, 2}, {4, 2}, {0x80, 2}, {5, 0}, {0xFE, 1}, {0xFF, 1},
    };
    for (const auto& [byte, speed] : cases)
        EXPECT_EQ(DecodeBlock(BlockWithTail(0, 0, 0, byte)).speed, speed) << "byte " << int(byte);
}

TEST(TextEncoding, EmptyTextsAreAllEndMarkers)
{
    const ConfigBlock block = BlockOf(EncodeEepromRecords(GeneratorSettings{}));
    for (std::size_t i = 0; i < 124; ++i)
        EXPECT_EQ(block[i], 0x80) << "byte " << i;
    const GeneratorSettings decoded = DecodeBlock(block);
    EXPECT_EQ(decoded.slidingText, "");
    EXPECT_EQ(decoded.fixedText, "");
}

TEST(TextEncoding, CharactersGoInUnchangedAndTheRestIsMarked)
{
    GeneratorSettings settings;
    settings.slidingText = "A\xE8~";
    settings.fixedText = "\x01Z";
    const ConfigBlock block = BlockOf(EncodeEepromRecords(settings));
    EXPECT_EQ(block[0], 'A');
    EXPECT_EQ(block[1], 0xE8);
    EXPECT_EQ(block[2], '~');
    for (std::size_t i = 3; i < 112; ++i)
        EXPECT_EQ(block[i], 0x80) << "byte " << i;
    EXPECT_EQ(block[112], 0x01);
    EXPECT_EQ(block[113], 'Z');
    for (std::size_t i = 114; i < 124; ++i)
        EXPECT_EQ(block[i], 0x80) << "byte " << i;
}

TEST(TextEncoding, OverlongTextsAreCutToTheirFields)
{
    GeneratorSettings settings;
    settings.slidingText = std::string(112, 'S') + "OVERFLOW";
    settings.fixedText = "IZ0XYZ/P";
    const ConfigBlock block = BlockOf(EncodeEepromRecords(settings));
    for (std::size_t i = 0; i < 112; ++i)
        EXPECT_EQ(block[i], 'S') << "byte " << i;
    EXPECT_EQ(std::string(block.begin() + 112, block.begin() + 118), "IZ0XYZ");
    for (std::size_t i = 118; i < 124; ++i)
        EXPECT_EQ(block[i], 0x80) << "spare byte " << i;
    const GeneratorSettings decoded = DecodeBlock(block);
    EXPECT_EQ(decoded.slidingText, std::string(112, 'S'));
    EXPECT_EQ(decoded.fixedText, "IZ0XYZ");
}

TEST(FieldEncoding, OutOfRangeValuesKeepOnlyTheirBits)
{
    GeneratorSettings settings;
    settings.frame = 0x1F;
    settings.slidingHeight = 7;
    settings.fixedHeight = 5;
    settings.slidingColour = 9;
    settings.fixedColour = 15;
    const ConfigBlock block = BlockOf(EncodeEepromRecords(settings));
    EXPECT_EQ(block[124], 0x0F);
    EXPECT_EQ(block[125], 0x31);
    EXPECT_EQ(block[126], 0x17);
}

TEST(FieldEncoding, BlackIsWrittenAsEight)
{
    GeneratorSettings settings;
    EXPECT_EQ(BlockOf(EncodeEepromRecords(settings))[126], 0x88);
    settings.slidingColour = 2;
    EXPECT_EQ(BlockOf(EncodeEepromRecords(settings))[126], 0x28);
    settings.slidingColour = 0;
    settings.fixedColour = 7;
    EXPECT_EQ(BlockOf(EncodeEepromRecords(settings))[126], 0x87);
}

TEST(FieldEncoding, SpeedIndexBecomesItsCode)
{
    const std::pair<int, std::uint8_t> cases[] = {{0, 1}, {1, 2}, {2, 4}, {-1, 2}, {3, 2}};
    for (const auto& [speed, code] : cases) {
        GeneratorSettings settings;
        settings.speed = speed;
        EXPECT_EQ(BlockOf(EncodeEepromRecords(settings))[127], code) << "speed " << speed;
    }
}

TEST(RecordLayout, HeaderAndHighBytesAreFixed)
{
    GeneratorSettings settings;
    settings.slidingText = std::string(112, '\xFF');
    settings.fixedText = std::string(6, '\xFF');
    settings.frame = 15;
    settings.slidingColour = 7;
    settings.fixedColour = 7;
    const EepromRecords records = EncodeEepromRecords(settings);
    for (std::size_t r = 0; r < kRecordCount; ++r) {
        EXPECT_EQ(records[r][0], 0x10);
        EXPECT_EQ(records[r][1], 0x42);
        EXPECT_EQ(records[r][2], 16 * r);
        EXPECT_EQ(records[r][3], 0x00);
        for (std::size_t j = 0; j < 8; ++j)
            EXPECT_EQ(records[r][5 + 2 * j], 0x00) << "record " << r << " word " << j;
    }
}

TEST(RoundTrip, EveryFieldValueDecodesAsItWasEncoded)
{
    for (int frame = 0; frame < 16; ++frame) {
        for (int height = 0; height < 4; ++height) {
            for (int colour = 0; colour < 8; ++colour) {
                for (int speed = 0; speed < 3; ++speed) {
                    GeneratorSettings settings;
                    settings.slidingText = std::string(static_cast<std::size_t>(frame * 7), 'a' + frame);
                    settings.fixedText = std::string(static_cast<std::size_t>(colour % 7), '0' + height);
                    settings.frame = frame;
                    settings.slidingHeight = height;
                    settings.fixedHeight = 3 - height;
                    settings.slidingColour = colour;
                    settings.fixedColour = 7 - colour;
                    settings.speed = speed;
                    ASSERT_EQ(DecodeBlock(BlockOf(EncodeEepromRecords(settings))), settings);
                }
            }
        }
    }
}

TEST(Colours, CodesNameTheDevicesEightColours)
{
    EXPECT_EQ(ColourOfCode(0), (RgbColour{0x00, 0x00, 0x00}));
    EXPECT_EQ(ColourOfCode(1), (RgbColour{0x00, 0x00, 0x80}));
    EXPECT_EQ(ColourOfCode(2), (RgbColour{0xFF, 0x00, 0x00}));
    EXPECT_EQ(ColourOfCode(3), (RgbColour{0xFF, 0x00, 0xFF}));
    EXPECT_EQ(ColourOfCode(4), (RgbColour{0x00, 0xFF, 0x00}));
    EXPECT_EQ(ColourOfCode(5), (RgbColour{0x00, 0xFF, 0xFF}));
    EXPECT_EQ(ColourOfCode(6), (RgbColour{0xFF, 0xFF, 0x00}));
    EXPECT_EQ(ColourOfCode(7), (RgbColour{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ColourOfCode(8), ColourOfCode(0));
}
