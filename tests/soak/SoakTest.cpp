// Many open, edit and save cycles through the firmware layer, on real files in a
// scratch folder: nothing may pile up (descriptors, temporary files, bytes) and the
// same settings must always give the same file.

#include "FirmwareFile.h"
#include "FirmwareFormat.h"
#include "TestFolder.h"
#include "TestText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using firmware::GeneratorSettings;

namespace {

constexpr int kCycles = 1000;

using testfiles::OpenDescriptorCount;

std::string ReadBytes(const fs::path& path) { return testfiles::ReadAll(path.string()); }
std::set<std::string> NamesIn(const fs::path& folder) { return TestFolder::EntriesOf(folder.string()); }

// The records a save must carry over: all but the EEPROM records and the end record.
std::vector<std::string> OtherRecords(const std::string& bytes)
{
    std::vector<std::string> kept;
    for (const std::string& line : testfiles::Split(bytes).lines) {
        if (line.starts_with(firmware::kEepromRecordPrefix))
            continue;
        if (line.starts_with(firmware::kEndRecord))
            break;
        kept.push_back(line);
    }
    return kept;
}

// Every printable code the device shows, from `first` on, `length` characters long.
std::string PrintableRun(int first, std::size_t length)
{
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text.push_back(static_cast<char>(32 + (first - 32 + static_cast<int>(i)) % 96));
    return text;
}

// Settings a user could enter, covering both ends of every field.
std::vector<GeneratorSettings> EditsToCycleThrough()
{
    return {
        {"CQ CQ DE N0CALL - ATV TEST PATTERN", "N0CALL", 5, 1, 2, 2, 0, 1},
        {"", "", 0, 0, 0, 0, 0, 0},
        {PrintableRun(32, firmware::kSlidingTextLength), "~~~~~~", 15, 3, 3, 7, 7, 2},
        {" ", "A", 8, 2, 1, 1, 6, 1},
        {std::string(40, '\x7F'), "Q0TEST", 12, 0, 3, 5, 3, 0},
        {PrintableRun(90, 77), "I2XYZ", 3, 3, 0, 4, 1, 2},
        {"\"QUOTES\" AND `GRAVES` {}|\\", "9", 10, 1, 1, 3, 2, 0},
    };
}

class SoakTest : public ::testing::Test {
protected:
    // Saves that must fail (the folder is missing; a folder stands at the target's name)
    // and opens that must be refused (a folder, a missing file); none may leave anything.
    void TryRefusedOperations(const fs::path& source)
    {
        const firmware::EepromRecords records = firmware::EncodeEepromRecords({});
        const fs::path refused = folder_.string() + "-refused";
        fs::create_directories(refused / "folder.hex");
        const std::string before = ReadBytes(source);

        EXPECT_EQ(firmware::SaveFirmwareFile(source.string(), (refused / "missing" / "x.hex").string(), records),
                  firmware::SaveOutcome::NotOpened);
        EXPECT_EQ(firmware::SaveFirmwareFile(source.string(), (refused / "folder.hex").string(), records),
                  firmware::SaveOutcome::NotOpened);
        EXPECT_EQ(firmware::SaveFirmwareFile((refused / "gone.hex").string(), source.string(), records),
                  firmware::SaveOutcome::NotOpened);
        EXPECT_EQ(firmware::LoadFirmwareFile((refused / "folder.hex").string()).outcome,
                  firmware::LoadOutcome::NotOpened);
        EXPECT_EQ(firmware::LoadFirmwareFile((refused / "gone.hex").string()).outcome,
                  firmware::LoadOutcome::NotOpened);

        EXPECT_EQ(ReadBytes(source), before) << "a refused save touched the file in hand";
        EXPECT_EQ(NamesIn(refused), std::set<std::string>{"folder.hex"});
        EXPECT_TRUE(fs::is_empty(refused / "folder.hex"));
    }

    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(folder_.string() + "-refused", ignored);
    }

    TestFolder scratch_{"kelvo-soak"};
    const fs::path& folder_ = scratch_.path();
};

TEST_F(SoakTest, ThousandCyclesLeakNothingAndSameSettingsGiveSameBytes)
{
    const std::vector<GeneratorSettings> edits = EditsToCycleThrough();
    const fs::path names[2] = {folder_ / "generator.hex", folder_ / "copy.hex"};
    int current = 0;
    fs::copy_file(KELVO_SOAK_FIRMWARE, names[current]);
    const std::vector<std::string> programRecords = OtherRecords(ReadBytes(names[current]));
    ASSERT_GE(programRecords.size(), 3u) << "the assembler's file lacks its program records";

    std::map<std::size_t, std::string> bytesOfEdit;
    const int descriptorsBefore = OpenDescriptorCount();

    for (int cycle = 0; cycle < kCycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        // Two cycles in a row save the same edit: the second saves, unchanged, a file
        // that the first wrote, once into itself and once into a new file by turns.
        const std::size_t edit = static_cast<std::size_t>(cycle / 2) % edits.size();
        const bool intoNewFile = cycle % 2 == 1;
        const fs::path& source = names[current];
        const fs::path& target = intoNewFile ? names[1 - current] : source;

        const firmware::LoadResult opened = firmware::LoadFirmwareFile(source.string());
        ASSERT_EQ(opened.outcome, firmware::LoadOutcome::Valid);
        if (cycle > 0) {
            const std::size_t lastEdit = static_cast<std::size_t>((cycle - 1) / 2) % edits.size();
            ASSERT_EQ(opened.settings, edits[lastEdit]) << "the last save did not read back";
        }

        const std::string sourceBefore = ReadBytes(source);
        ASSERT_EQ(firmware::SaveFirmwareFile(source.string(), target.string(),
                                             firmware::EncodeEepromRecords(edits[edit])),
                  firmware::SaveOutcome::Done);

        const std::string written = ReadBytes(target);
        const auto known = bytesOfEdit.try_emplace(edit, written).first;
        ASSERT_EQ(written, known->second) << "edit " << edit << " was saved with other bytes before";
        ASSERT_EQ(OtherRecords(written), programRecords) << "the program's records were not kept";
        if (intoNewFile) {
            ASSERT_EQ(ReadBytes(source), sourceBefore) << "a save into a new file changed its source";
            ASSERT_EQ(written, sourceBefore) << "an unchanged save wrote other bytes";
            ASSERT_EQ(NamesIn(folder_), (std::set<std::string>{"generator.hex", "copy.hex"}));
            fs::remove(source);
            current = 1 - current;
        }
        ASSERT_EQ(NamesIn(folder_), std::set<std::string>{names[current].filename().string()})
            << "a temporary or stray file is left in the folder";

        // Refused saves and opens come through here too: an early return is where a
        // descriptor or a temporary file is most easily forgotten.
        if (cycle % 10 == 5)
            TryRefusedOperations(names[current]);

        if (cycle % 100 == 99) {
            ASSERT_EQ(OpenDescriptorCount(), descriptorsBefore) << "file descriptors leaked";
        }
    }

    EXPECT_EQ(OpenDescriptorCount(), descriptorsBefore);
    EXPECT_EQ(bytesOfEdit.size(), edits.size());
    const firmware::LoadResult last = firmware::LoadFirmwareFile(names[current].string());
    ASSERT_EQ(last.outcome, firmware::LoadOutcome::Valid);
    EXPECT_EQ(last.settings, edits[static_cast<std::size_t>((kCycles - 1) / 2) % edits.size()]);
}

}  // namespace
