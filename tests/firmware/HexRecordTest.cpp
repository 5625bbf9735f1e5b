// Hex digits and the text form of records: the two worked examples, every digit, every
// byte value, and checksums that an independent sum confirms.

#include "FirmwareFormat.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace firmware;

namespace {

// The sum of all bytes of a record line, read back from its digits without our helpers.
unsigned SumOfLineBytes(const std::string& line)
{
    unsigned sum = 0;
    for (std::size_t i = 1; i + 1 < line.size(); i += 2)
        sum += static_cast<unsigned>(std::stoul(line.substr(i, 2), nullptr, 16));
    return sum;
}

}  // namespace

TEST(HexDigits, DecimalDigitsGiveTheirValue)
{
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_EQ(HexDigitValue(c), c - '0') << c;
}

TEST(HexDigits, LettersOfEitherCaseGiveTenToFifteen)
{
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(HexDigitValue(static_cast<char>('A' + i)), 10 + i);
        EXPECT_EQ(HexDigitValue(static_cast<char>('a' + i)), 10 + i);
    }
}

TEST(HexDigits, OtherCharactersFollowTheFormulaWithoutError)
{
    // code >= 0x40: code - 55, else code - 48; low four bits kept.
    EXPECT_EQ(HexDigitValue('G'), 0);    // 71 - 55 = 16
    EXPECT_EQ(HexDigitValue('g'), 0);    // 103 - 55 = 48
    EXPECT_EQ(HexDigitValue('@'), 9);    // 64 - 55
    EXPECT_EQ(HexDigitValue(':'), 10);   // 58 - 48
    EXPECT_EQ(HexDigitValue(' '), 0);    // 32 - 48 = -16
    EXPECT_EQ(HexDigitValue('\r'), 13);  // 13 - 48 = -35
    EXPECT_EQ(HexDigitValue('\0'), 0);   // -48
    EXPECT_EQ(HexDigitValue(static_cast<char>(0xFF)), 8);  // 255 - 55 = 200
    EXPECT_EQ(HexDigitValue(static_cast<char>(0x80)), 9);  // 128 - 55 = 73
}

TEST(RecordText, WorkedExamplesComeOutExactly)
{
    GeneratorSettings first;
    first.slidingText = "CQ";
    EXPECT_EQ(FormatRecordLine(EncodeEepromRecords(first)[0]),
              ":10420000430051008000800080008000800080001A");

    GeneratorSettings last;
    last.frame = 5;
    last.fixedHeight = 2;
    last.slidingHeight = 1;
    last.slidingColour = 2;  // red
    last.fixedColour = 0;    // black
    last.speed = 1;          // normal
    EXPECT_EQ(FormatRecordLine(EncodeEepromRecords(last)[15]),
              ":1042F000800080008000800005001200280002007D");
}

TEST(RecordText, EveryByteIsTwoUpperCaseDigitsAfterAColon)
{
    for (int value = 0; value < 256; ++value) {
        EepromRecord record{};
        record.fill(static_cast<std::uint8_t>(value));
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", value);
        std::string expected = ":";
        for (std::size_t i = 0; i < kRecordSize; ++i)
            expected += digits;
        EXPECT_EQ(FormatRecordLine(record), expected);
    }
}

TEST(RecordText, EachByteKeepsItsPlace)
{
    EepromRecord record{};
    for (std::size_t i = 0; i < kRecordSize; ++i)
        record[i] = static_cast<std::uint8_t>(i * 13 + 1);
    const std::string line = FormatRecordLine(record);
    ASSERT_EQ(line.size(), 1 + 2 * kRecordSize);
    for (std::size_t i = 0; i < kRecordSize; ++i)
        EXPECT_EQ(std::stoul(line.substr(1 + 2 * i, 2), nullptr, 16), record[i]) << "byte " << i;
}

TEST(RecordText, EncodedRecordsAreFortyThreeCharactersThatSumToZero)
{
    for (const GeneratorSettings& s : {GeneratorSettings{}, testfiles::OddSettings()}) {
        for (const EepromRecord& record : EncodeEepromRecords(s)) {
            const std::string line = FormatRecordLine(record);
            EXPECT_EQ(line.size(), 43u);
            EXPECT_TRUE(line.starts_with(kEepromRecordPrefix)) << line;
            EXPECT_EQ(SumOfLineBytes(line) % 256, 0u) << line;
        }
    }
}
