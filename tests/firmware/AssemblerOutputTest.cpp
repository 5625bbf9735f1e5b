// Real assembler output: gpasm's INHX8M and INHX32 files of a small PIC16F628A program
// load, and save back with everything but the EEPROM records kept.

#include "FirmwareFile.h"
#include "TestFiles.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace firmware;
using testfiles::ReadAll;
using testfiles::Split;

namespace {

struct AssembledFile {
    const char* name;
    const char* path;
};

void PrintTo(const AssembledFile& file, std::ostream* out)
{
    *out << file.name;
}

// What generator.asm puts in the data EEPROM, and its configuration word as gpasm writes it.
GeneratorSettings AssembledSettings()
{
    return {.slidingText = "CQ CQ DE N0CALL - ATV TEST PATTERN", .fixedText = "N0CALL", .frame = 5,
            .slidingHeight = 1, .fixedHeight = 2, .slidingColour = 2, .fixedColour = 0, .speed = 1};
}
constexpr std::string_view kAssembledConfigRecord = ":02400E00103F61";

long CountOf(const std::vector<std::string>& lines, std::string_view line)
{
    return std::count(lines.begin(), lines.end(), line);
}

class AssemblerOutput : public ::testing::TestWithParam<AssembledFile> {
protected:
    std::string path() const { return GetParam().path; }
    TestFolder folder;
};

}  // namespace

TEST_P(AssemblerOutput, HoldsTheSignatureRecordVerbatim)
{
    const std::vector<std::string> lines = Split(ReadAll(path())).lines;
    EXPECT_EQ(CountOf(lines, kSignatureRecord), 1);
    EXPECT_EQ(CountOf(lines, kAssembledConfigRecord), 1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.starts_with(kEepromRecordPrefix); }),
              16);
}

TEST_P(AssemblerOutput, LoadsAsValidWithTheAssembledSettings)
{
    const LoadResult loaded = LoadFirmwareFile(path());
    ASSERT_EQ(loaded.outcome, LoadOutcome::Valid);
    EXPECT_EQ(loaded.settings, AssembledSettings());
}

TEST_P(AssemblerOutput, SavesBackWithTheConfigurationWordAndOneEndRecord)
{
    GeneratorSettings edited = AssembledSettings();
    edited.slidingText = "EDITED";
    edited.speed = 0;
    const std::string saved = folder.file("saved.hex");
    ASSERT_EQ(SaveFirmwareFile(path(), saved, EncodeEepromRecords(edited)), SaveOutcome::Done);

    const testfiles::SplitText split = Split(ReadAll(saved));
    EXPECT_TRUE(split.allCrlf);
    EXPECT_EQ(CountOf(split.lines, kAssembledConfigRecord), 1);
    EXPECT_EQ(CountOf(split.lines, kEndRecord), 1);
    EXPECT_EQ(split.lines.back(), kEndRecord);
    EXPECT_TRUE(testfiles::SrecordAccepts(saved));
    EXPECT_EQ(testfiles::SrecordRanges(saved), testfiles::SrecordRanges(path()));

    const LoadResult reloaded = LoadFirmwareFile(saved);
    ASSERT_EQ(reloaded.outcome, LoadOutcome::Valid);
    EXPECT_EQ(reloaded.settings, edited);
}

TEST_P(AssemblerOutput, SavingTheSameSettingsKeepsEveryByteOfData)
{
    const std::string saved = folder.file("saved.hex");
    ASSERT_EQ(SaveFirmwareFile(path(), saved, EncodeEepromRecords(AssembledSettings())), SaveOutcome::Done);
    EXPECT_TRUE(testfiles::SrecordSameData(path(), saved));

    // And the check would see a difference.
    GeneratorSettings other = AssembledSettings();
    other.frame = 10;
    ASSERT_EQ(SaveFirmwareFile(path(), saved, EncodeEepromRecords(other)), SaveOutcome::Done);
    EXPECT_FALSE(testfiles::SrecordSameData(path(), saved));
}

INSTANTIATE_TEST_SUITE_P(Gpasm, AssemblerOutput,
                         ::testing::Values(AssembledFile{"Inhx8m", KELVO_GENERATOR_INHX8M},
                                           AssembledFile{"Inhx8mDos", KELVO_GENERATOR_INHX8M_DOS},
                                           AssembledFile{"Inhx32", KELVO_GENERATOR_INHX32}),
                         [](const ::testing::TestParamInfo<AssembledFile>& info) { return info.param.name; });

TEST(AssemblerFormats, Inhx32StartsWithItsExtendedAddressRecord)
{
    EXPECT_TRUE(ReadAll(KELVO_GENERATOR_INHX32).starts_with(":020000040000FA\n"));
    EXPECT_TRUE(ReadAll(KELVO_GENERATOR_INHX8M).starts_with(":0A000000"));
    EXPECT_TRUE(Split(ReadAll(KELVO_GENERATOR_INHX8M_DOS)).allCrlf);
    EXPECT_FALSE(Split(ReadAll(KELVO_GENERATOR_INHX8M)).allCrlf);
}

TEST(AssemblerFormats, TheExtendedAddressRecordIsKeptFirst)
{
    TestFolder folder;
    const std::string saved = folder.file("saved.hex");
    ASSERT_EQ(SaveFirmwareFile(KELVO_GENERATOR_INHX32, saved, EncodeEepromRecords(AssembledSettings())),
              SaveOutcome::Done);
    EXPECT_TRUE(ReadAll(saved).starts_with(":020000040000FA\r\n:0A000000"));
}
