// Scanning: which lines count as the signature and as EEPROM records, where the scan
// stops, and how it reads long, short and lower-case lines.

#include "FirmwareFormat.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

using namespace firmware;
using testfiles::BlockOf;
using testfiles::EepromLines;
using testfiles::Join;
using testfiles::SampleSettings;

namespace {

FirmwareScan ScanText(const std::string& text)
{
    std::istringstream in(text);
    return ScanFirmware(in);
}

const std::string kSignature(kSignatureRecord);
const std::string kEnd(kEndRecord);

std::vector<std::string> RecordLines(std::size_t count)
{
    std::vector<std::string> lines;
    GeneratorSettings settings = SampleSettings();
    while (lines.size() < count) {
        for (const std::string& line : EepromLines(settings))
            if (lines.size() < count)
                lines.push_back(line);
        settings.slidingText += "+";
    }
    return lines;
}

// The parts' lines one after another.
std::vector<std::string> Lines(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> lines;
    for (const std::vector<std::string>& part : parts)
        lines.insert(lines.end(), part.begin(), part.end());
    return lines;
}

std::string WithSignatureAndEnd(const std::vector<std::string>& records)
{
    return Join(Lines({{kSignature}, records, {kEnd}}), "\n");
}


std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

}  // namespace

TEST(RecordCount, SixteenRecordsAndTheSignatureAreValid)
{
    const FirmwareScan scan = ScanText(testfiles::ValidFirmwareText(SampleSettings(), "\r\n"));
    EXPECT_TRUE(scan.signatureSeen);
    EXPECT_EQ(scan.eepromByteCount, 128);
    EXPECT_TRUE(IsValidScan(scan));
    EXPECT_EQ(scan.block, BlockOf(SampleSettings()));
}

TEST(RecordCount, FifteenRecordsAreTooFew)
{
    const FirmwareScan scan = ScanText(WithSignatureAndEnd(RecordLines(15)));
    EXPECT_EQ(scan.eepromByteCount, 120);
    EXPECT_FALSE(IsValidScan(scan));
    // Bytes no record supplied stay 0.
    for (std::size_t n = 120; n < kBlockSize; ++n)
        EXPECT_EQ(scan.block[n], 0) << "byte " << n;
}

TEST(RecordCount, SeventeenOrMoreAreHeldAt129)
{
    for (const std::size_t count : {17u, 18u, 40u}) {
        const FirmwareScan scan = ScanText(WithSignatureAndEnd(RecordLines(count)));
        EXPECT_EQ(scan.eepromByteCount, 129) << count << " records";
        EXPECT_FALSE(IsValidScan(scan));
        EXPECT_EQ(scan.block, BlockOf(SampleSettings())) << "the first sixteen fill the block";
    }
}

TEST(RecordCount, NoRecordsAndEmptyStreams)
{
    EXPECT_EQ(ScanText("").eepromByteCount, 0);
    EXPECT_FALSE(ScanText("").signatureSeen);
    const FirmwareScan onlyEnd = ScanText(kEnd);
    EXPECT_EQ(onlyEnd.eepromByteCount, 0);
    EXPECT_EQ(onlyEnd.block, ConfigBlock{});
}

TEST(RecordOrder, RecordsFillTheBlockInFileOrderWhateverTheirAddress)
{
    std::vector<std::string> records = EepromLines(SampleSettings());
    std::swap(records.front(), records.back());
    const FirmwareScan scan = ScanText(WithSignatureAndEnd(records));
    const ConfigBlock expected = BlockOf(SampleSettings());
    ASSERT_EQ(scan.eepromByteCount, 128);
    EXPECT_TRUE(std::equal(expected.begin() + 120, expected.end(), scan.block.begin()));
    EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 8, scan.block.begin() + 120));
}

TEST(RecordOrder, ChecksumsAndAddressesAreNotVerified)
{
    std::vector<std::string> records = EepromLines(SampleSettings());
    records[3].replace(records[3].size() - 2, 2, "00");  // wrong checksum
    records[4].replace(3, 4, "FFFF");                       // ":10FF..." is not an EEPROM line
    records[5].replace(5, 2, "77");                         // ":104277..." still is
    const FirmwareScan scan = ScanText(WithSignatureAndEnd(records));
    EXPECT_EQ(scan.eepromByteCount, 120);
    const ConfigBlock expected = BlockOf(SampleSettings());
    EXPECT_TRUE(std::equal(expected.begin() + 24, expected.begin() + 32, scan.block.begin() + 24));
    EXPECT_TRUE(std::equal(expected.begin() + 40, expected.begin() + 48, scan.block.begin() + 32));
}

TEST(Signature, MustBeginALineExactlyAsWritten)
{
    const std::vector<std::string> records = RecordLines(16);
    auto scanWith = [&](const std::string& signatureLine) {
        return ScanText(Join(Lines({{signatureLine}, records, {kEnd}}), "\r\n"));
    };
    EXPECT_TRUE(scanWith(kSignature).signatureSeen);
    EXPECT_TRUE(scanWith(kSignature + "trailing text").signatureSeen);
    EXPECT_FALSE(scanWith(Lowered(kSignature)).signatureSeen);
    EXPECT_FALSE(scanWith(" " + kSignature).signatureSeen);
    EXPECT_FALSE(scanWith(kSignature.substr(0, kSignature.size() - 1)).signatureSeen);
    std::string otherFirmware = kSignature;
    otherFirmware[29] = '4';  // "_" (0x5F) becomes "O" (0x4F)
    EXPECT_FALSE(scanWith(otherFirmware).signatureSeen);
}

TEST(Signature, CountsAnywhereBeforeTheEndRecord)
{
    const FirmwareScan late = ScanText(Join(Lines({RecordLines(16), {kSignature, kEnd}}), "\n"));
    EXPECT_TRUE(late.signatureSeen);
    EXPECT_TRUE(IsValidScan(late));

    EXPECT_TRUE(IsValidScan(ScanText(Join(Lines({RecordLines(8), {kSignature}, RecordLines(8), {kEnd}}), "\n"))));
}

TEST(EndRecord, NothingAfterItCounts)
{
    const FirmwareScan scan = ScanText(Join(Lines({RecordLines(16), {kEnd, kSignature}, RecordLines(1)}), "\n"));
    EXPECT_FALSE(scan.signatureSeen);
    EXPECT_EQ(scan.eepromByteCount, 128);
}

TEST(EndRecord, ScanStopsRightAfterItsLineAndStartsWhereTheStreamStands)
{
    const std::string before = "not part of the scan\n" + Join(RecordLines(3), "\n");
    const std::string scanned = kSignature + "\n" + Join(RecordLines(16), "\n") + kEnd + "\n";
    const std::string after = ":10420000FFFFFFFF\nleft for the caller\n";
    std::istringstream in(before + scanned + after);
    in.seekg(static_cast<std::streamoff>(before.size()));

    const FirmwareScan scan = ScanFirmware(in);
    EXPECT_TRUE(IsValidScan(scan));
    EXPECT_EQ(scan.block, BlockOf(SampleSettings()));
    std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(rest, after);
}

TEST(EndRecord, AnEndRecordWithTextAfterItStillEndsTheScan)
{
    const std::vector<std::string> lines = Lines({RecordLines(8), {kEnd + " ; end"}, RecordLines(8)});
    EXPECT_EQ(ScanText(Join(lines, "\n")).eepromByteCount, 64);
}

TEST(LongLines, ALineOver199CharactersIsReadAsSeveral)
{
    const std::vector<std::string> records = RecordLines(16);
    // The 200th character starts a piece of its own, and that piece is an EEPROM record.
    std::vector<std::string> lines =
        Lines({{kSignature, std::string(199, 'x') + records[0]}, {records.begin() + 1, records.end()}, {kEnd}});
    const FirmwareScan split = ScanText(Join(lines, "\n"));
    EXPECT_EQ(split.eepromByteCount, 128);
    EXPECT_EQ(split.block, BlockOf(SampleSettings()));

    // One character less and the record sits inside the first piece: not counted.
    lines[1] = std::string(198, 'x') + records[0];
    EXPECT_EQ(ScanText(Join(lines, "\n")).eepromByteCount, 120);
}

TEST(LongLines, ASignatureAfter398CharactersCounts)
{
    std::vector<std::string> lines = Lines({{std::string(398, '-') + kSignature}, RecordLines(16), {kEnd}});
    EXPECT_TRUE(ScanText(Join(lines, "\n")).signatureSeen);
    lines[0] = std::string(397, '-') + kSignature;
    EXPECT_FALSE(ScanText(Join(lines, "\n")).signatureSeen);
}

TEST(LongLines, A199CharacterLineEndsAtItsLineFeed)
{
    // Were its line feed left behind, an empty piece would come next; this shows the
    // following record still starts a piece at its colon.
    const std::vector<std::string> lines = Lines({{std::string(199, 'y')}, RecordLines(16), {kSignature, kEnd}});
    for (const char* end : {"\n", "\r\n"}) {
        const FirmwareScan scan = ScanText(Join(lines, end));
        EXPECT_EQ(scan.eepromByteCount, 128);
        EXPECT_TRUE(scan.signatureSeen);
    }
}

TEST(LongLines, AVeryLongLineNeitherStopsNorConfusesTheScan)
{
    const std::vector<std::string> lines = Lines({{std::string(100000, 'z'), kSignature}, RecordLines(16), {kEnd}});
    EXPECT_TRUE(IsValidScan(ScanText(Join(lines, "\n"))));
}

TEST(Digits, LowerCaseRecordsDecodeLikeUpperCase)
{
    std::vector<std::string> records = RecordLines(16);
    for (std::string& line : records)
        line = Lowered(line);
    const FirmwareScan scan = ScanText(WithSignatureAndEnd(records));
    EXPECT_EQ(scan.eepromByteCount, 128);
    EXPECT_EQ(scan.block, BlockOf(SampleSettings()));
}

TEST(Digits, OnlyTheLowByteDigitsOfEachWordAreRead)
{
    // High-byte digits, address, type and checksum may hold anything.
    const std::string line = ":1042zzzz41QQ42!!43##44$$45%%46^^47&&48**??";
    const FirmwareScan scan = ScanText(line + "\n");
    EXPECT_EQ(scan.eepromByteCount, 8);
    const std::uint8_t expected[] = {0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), scan.block.begin()));
}

TEST(Digits, ANulCharacterDoesNotCutTheLineShort)
{
    std::string line = RecordLines(1).front();
    line[11] = '\0';  // high byte of the first word
    const FirmwareScan scan = ScanText(line + "\n");
    const ConfigBlock expected = BlockOf(SampleSettings());
    EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 8, scan.block.begin()));
}

TEST(ShortRecords, CountForEightBytesWithMissingDigitsAsZero)
{
    const FirmwareScan bare = ScanText(":1042\n");
    EXPECT_EQ(bare.eepromByteCount, 8);
    EXPECT_EQ(bare.block, ConfigBlock{});

    // Word 0 complete, the first digit of word 1 present, then the line ends.
    const FirmwareScan partial = ScanText(":1042000041005\n");
    EXPECT_EQ(partial.block[0], 0x41);
    EXPECT_EQ(partial.block[1], 0x50);
    for (std::size_t n = 2; n < 8; ++n)
        EXPECT_EQ(partial.block[n], 0) << "byte " << n;
}

TEST(ShortRecords, NothingIsReadPastTheLineEnd)
{
    // The next line's characters lie where the short record's missing digits would be.
    for (const char* end : {"\n", "\r\n"}) {
        const std::string text = std::string(":1042000041") + end + "4142434445464748494A" + end;
        const FirmwareScan scan = ScanText(text);
        EXPECT_EQ(scan.eepromByteCount, 8);
        EXPECT_EQ(scan.block[0], 0x41);
        for (std::size_t n = 1; n < 8; ++n)
            EXPECT_EQ(scan.block[n], 0) << "byte " << n << " with line end " << (end[0] == '\r' ? "CRLF" : "LF");
    }
}

TEST(ShortRecords, ACarriageReturnIsPartOfTheLineEndNotADigit)
{
    // The carriage return falls where word 1's first digit would be.
    const FirmwareScan scan = ScanText(":104200004100\r\n");
    EXPECT_EQ(scan.block[0], 0x41);
    EXPECT_EQ(scan.block[1], 0x00);
}

TEST(ShortRecords, AMissingLastLineEndIsNoProblem)
{
    const FirmwareScan scan = ScanText(":10420000410042");
    EXPECT_EQ(scan.eepromByteCount, 8);
    EXPECT_EQ(scan.block[0], 0x41);
    EXPECT_EQ(scan.block[1], 0x42);
    EXPECT_EQ(scan.block[2], 0x00);
}
