// What a save writes: the source's lines around sixteen new records and one end record,
// all with CRLF, in a file an independent Intel HEX reader accepts.

#include "FirmwareFile.h"
#include "TestFiles.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using namespace firmware;
using testfiles::EepromLines;
using testfiles::Join;
using testfiles::ReadAll;
using testfiles::SampleSettings;
using testfiles::ValidFirmwareText;
using testfiles::WriteAll;

namespace {

const std::string kSignature(kSignatureRecord);
const std::string kEnd(kEndRecord);
const std::string kCode(testfiles::kCodeRecord);
const std::string kConfig(testfiles::kConfigRecord);

class SavedLayout : public ::testing::Test {
protected:
    // Saves settings from a source of the given content to a new target; returns what
    // was written, after checking that nothing but the two files is left.
    std::string saveFrom(const std::string& sourceContent, const GeneratorSettings& settings = newSettings())
    {
        WriteAll(source, sourceContent);
        EXPECT_EQ(SaveFirmwareFile(source, target, EncodeEepromRecords(settings)), SaveOutcome::Done);
        EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex"}));
        EXPECT_EQ(ReadAll(source), sourceContent) << "the source is only read";
        return ReadAll(target);
    }

    static GeneratorSettings newSettings()
    {
        GeneratorSettings settings;
        settings.slidingText = "NEW TEXT";
        settings.fixedText = "NEW";
        settings.frame = 2;
        settings.speed = 2;
        return settings;
    }

    static std::string newRecords() { return Join(EepromLines(newSettings()), "\r\n"); }

    TestFolder folder;
    const std::string source = folder.file("source.hex");
    const std::string target = folder.file("target.hex");
};

}  // namespace

TEST_F(SavedLayout, LinesBeforeTheRecordsThenNewRecordsThenOneEndRecord)
{
    const std::string written = saveFrom(ValidFirmwareText(SampleSettings(), "\r\n"));
    EXPECT_EQ(written, kCode + "\r\n" + kSignature + "\r\n" + newRecords() + kConfig + "\r\n" + kEnd);
    EXPECT_TRUE(testfiles::SrecordAccepts(target));
}

TEST_F(SavedLayout, LfAndCrlfSourcesAreBothWrittenWithCrlf)
{
    const std::string fromCrlf = saveFrom(ValidFirmwareText(SampleSettings(), "\r\n"));
    const std::string fromLf = saveFrom(ValidFirmwareText(SampleSettings(), "\n"));
    EXPECT_EQ(fromLf, fromCrlf);
    const testfiles::SplitText split = testfiles::Split(fromLf);
    EXPECT_TRUE(split.allCrlf);
    EXPECT_FALSE(split.endsWithLineEnd);
    EXPECT_EQ(split.lines.back(), kEnd);

    // A source mixing both, and carriage returns that end no line, which are kept.
    const std::string mixed = "; one\r\n; two\n; three\rstill three\n" + Join(EepromLines(SampleSettings()), "\n");
    EXPECT_EQ(saveFrom(mixed), "; one\r\n; two\r\n; three\rstill three\r\n" + newRecords() + kEnd);
}

TEST_F(SavedLayout, RecordsAfterTheEepromRecordsAreKeptInOrder)
{
    // A configuration word and the signature placed late, between and after the records.
    const std::vector<std::string> old = EepromLines(SampleSettings());
    std::vector<std::string> lines{kCode};
    lines.insert(lines.end(), old.begin(), old.begin() + 10);
    lines.push_back(kConfig);
    lines.insert(lines.end(), old.begin() + 10, old.end());
    lines.push_back(kSignature);
    lines.push_back(":0200000E1234AA");
    lines.push_back(kEnd);
    const std::string written = saveFrom(Join(lines, "\n"));

    EXPECT_EQ(written, kCode + "\r\n" + newRecords() + kConfig + "\r\n" + kSignature + "\r\n" +
                           ":0200000E1234AA\r\n" + kEnd);
    EXPECT_EQ(LoadFirmwareFile(target).outcome, LoadOutcome::Valid) << "a valid source stays valid";
    EXPECT_EQ(LoadFirmwareFile(target).settings, newSettings());
}

TEST_F(SavedLayout, NothingFromTheEndRecordOnIsCopied)
{
    const std::string tail = "\n:0200000E5678AA\n" + kSignature + "\n" + EepromLines(SampleSettings())[0] + "\n";
    const std::string written = saveFrom(ValidFirmwareText(SampleSettings(), "\n") + tail);
    EXPECT_EQ(written, kCode + "\r\n" + kSignature + "\r\n" + newRecords() + kConfig + "\r\n" + kEnd);
}

TEST_F(SavedLayout, ASourceWithoutRecordsIsCopiedUpToItsEndRecord)
{
    EXPECT_EQ(saveFrom(kCode + "\n" + kSignature + "\n" + kEnd + "\n" + kConfig + "\n"),
              kCode + "\r\n" + kSignature + "\r\n" + newRecords() + kEnd);
    // Without an end record, all of it; the last line had no line end of its own.
    EXPECT_EQ(saveFrom(kCode + "\n" + kSignature), kCode + "\r\n" + kSignature + "\r\n" + newRecords() + kEnd);
    EXPECT_EQ(saveFrom(""), newRecords() + kEnd);
    EXPECT_TRUE(testfiles::SrecordAccepts(target));
}

TEST_F(SavedLayout, LongLinesAreCopiedWhole)
{
    const std::string comment = "; " + std::string(500, '#') + " end of comment";
    const std::string exactly199(199, '=');
    const std::string source = comment + "\n" + exactly199 + "\n" + exactly199 + "\r\n" + kSignature + "\n" +
                               Join(EepromLines(SampleSettings()), "\n");
    EXPECT_EQ(saveFrom(source), comment + "\r\n" + exactly199 + "\r\n" + exactly199 + "\r\n" + kSignature +
                                    "\r\n" + newRecords() + kEnd);
}

TEST_F(SavedLayout, ARecordHiddenInALongLineStillStartsALineOfItsOwn)
{
    // The scan sees an EEPROM record at character 200; the save treats it the same way,
    // so the saved file holds exactly the sixteen new records.
    const std::vector<std::string> old = EepromLines(SampleSettings());
    std::vector<std::string> lines{kSignature, std::string(199, 'x') + old[0]};
    lines.insert(lines.end(), old.begin() + 1, old.end());
    const std::string written = saveFrom(Join(lines, "\n"));
    EXPECT_EQ(written, kSignature + "\r\n" + std::string(199, 'x') + "\r\n" + newRecords() + kEnd);
    EXPECT_EQ(LoadFirmwareFile(target).outcome, LoadOutcome::Valid);
}

TEST_F(SavedLayout, TheSourcesOwnRecordsAreReplacedNotKept)
{
    const std::string written = saveFrom(ValidFirmwareText(SampleSettings(), "\n"));
    const std::vector<std::string> oldLines = EepromLines(SampleSettings());
    const std::vector<std::string> newLines = EepromLines(newSettings());
    int replaced = 0;
    for (std::size_t r = 0; r < oldLines.size(); ++r) {
        if (oldLines[r] == newLines[r])
            continue;  // records both settings leave all end markers
        ++replaced;
        EXPECT_EQ(written.find(oldLines[r]), std::string::npos) << oldLines[r];
    }
    EXPECT_EQ(replaced, 5);  // records 0 to 2 (sliding text), 14 (call sign), 15
    const LoadResult reloaded = LoadFirmwareFile(target);
    ASSERT_EQ(reloaded.outcome, LoadOutcome::Valid);
    EXPECT_EQ(reloaded.settings, newSettings());
}

TEST_F(SavedLayout, SavingAFileWeWroteUnchangedWritesTheSameBytes)
{
    const std::string first = saveFrom(ValidFirmwareText(SampleSettings(), "\n"));
    const std::string second = saveFrom(first);
    EXPECT_EQ(second, first);

    // Also when the file is its own source and target, with a long line in it.
    const std::string self = folder.file("self.hex");
    WriteAll(self, std::string(199, 'L') + "\n" + std::string(450, 'M') + "\n" + first);
    ASSERT_EQ(SaveFirmwareFile(self, self, EncodeEepromRecords(newSettings())), SaveOutcome::Done);
    const std::string once = ReadAll(self);
    ASSERT_EQ(SaveFirmwareFile(self, self, EncodeEepromRecords(newSettings())), SaveOutcome::Done);
    EXPECT_EQ(ReadAll(self), once);
}

TEST_F(SavedLayout, AnIndependentReaderAcceptsWhatWeWrite)
{
    for (const GeneratorSettings& settings : {GeneratorSettings{}, testfiles::OddSettings(), SampleSettings()}) {
        saveFrom(ValidFirmwareText(SampleSettings(), "\n"), settings);
        EXPECT_TRUE(testfiles::SrecordAccepts(target));
        EXPECT_EQ(testfiles::SrecordRanges(target),
                  "Data:   0000 - 000B\n        0FF0 - 0FFF\n        400E - 400F\n        4200 - 42FF\n");
    }
}

TEST(IndependentReader, RefusesABadChecksum)
{
    // The check above means something only if srec_cat does verify checksums.
    TestFolder folder;
    const std::string path = folder.file("bad.hex");
    std::string text = ValidFirmwareText(SampleSettings(), "\r\n");
    const std::size_t record = text.find(":1042");
    text[record + 42] = text[record + 42] == '0' ? '1' : '0';
    WriteAll(path, text);
    EXPECT_FALSE(testfiles::SrecordAccepts(path));
}
