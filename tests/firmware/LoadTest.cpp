// Loading: the three outcomes, only regular files read, the file always closed.

#include "FirmwareFile.h"
#include "TestFiles.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <sys/stat.h>

using namespace firmware;
using testfiles::EepromLines;
using testfiles::Join;
using testfiles::OpenDescriptorCount;
using testfiles::SampleSettings;
using testfiles::ValidFirmwareText;
using testfiles::WriteAll;

namespace {

class Loading : public ::testing::Test {
protected:
    std::string writeFile(const std::string& name, const std::string& content)
    {
        const std::string path = folder.file(name);
        WriteAll(path, content);
        return path;
    }

    TestFolder folder;
};

}  // namespace

TEST_F(Loading, AValidFileGivesItsSettings)
{
    for (const char* end : {"\n", "\r\n"}) {
        const LoadResult result = LoadFirmwareFile(writeFile("valid.hex", ValidFirmwareText(SampleSettings(), end)));
        ASSERT_EQ(result.outcome, LoadOutcome::Valid);
        EXPECT_EQ(result.settings, SampleSettings());
    }
}

TEST_F(Loading, MissingSignatureOrWrongRecordCountIsNotValid)
{
    const std::vector<std::string> records = EepromLines(SampleSettings());
    const std::string noSignature = Join(records, "\r\n") + std::string(kEndRecord);
    EXPECT_EQ(LoadFirmwareFile(writeFile("unsigned.hex", noSignature)).outcome, LoadOutcome::NotValid);

    const std::string signature(kSignatureRecord);
    std::vector<std::string> fifteen(records.begin(), records.end() - 1);
    EXPECT_EQ(LoadFirmwareFile(writeFile("fifteen.hex", signature + "\n" + Join(fifteen, "\n"))).outcome,
              LoadOutcome::NotValid);

    std::vector<std::string> seventeen = records;
    seventeen.push_back(records.front());
    EXPECT_EQ(LoadFirmwareFile(writeFile("seventeen.hex", signature + "\n" + Join(seventeen, "\n"))).outcome,
              LoadOutcome::NotValid);

    EXPECT_EQ(LoadFirmwareFile(writeFile("empty.hex", "")).outcome, LoadOutcome::NotValid);
}

TEST_F(Loading, EachLoadStartsAfresh)
{
    const std::string valid = writeFile("valid.hex", ValidFirmwareText(SampleSettings(), "\n"));
    const std::vector<std::string> records = EepromLines(SampleSettings());
    const std::string half = writeFile(
        "half.hex", std::string(kSignatureRecord) + "\n" + Join({records.begin(), records.begin() + 8}, "\n"));
    EXPECT_EQ(LoadFirmwareFile(valid).outcome, LoadOutcome::Valid);
    EXPECT_EQ(LoadFirmwareFile(half).outcome, LoadOutcome::NotValid);
    EXPECT_EQ(LoadFirmwareFile(valid).outcome, LoadOutcome::Valid);
}

TEST_F(Loading, AMissingFileIsNotOpened)
{
    EXPECT_EQ(LoadFirmwareFile(folder.file("absent.hex")).outcome, LoadOutcome::NotOpened);
    EXPECT_EQ(LoadFirmwareFile(folder.file("no-such-folder/absent.hex")).outcome, LoadOutcome::NotOpened);
    EXPECT_EQ(LoadFirmwareFile("").outcome, LoadOutcome::NotOpened);
}

TEST_F(Loading, OnlyRegularFilesAreReadAndNoneBlocks)
{
    const std::string fifo = folder.file("pipe.hex");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string linkToFifo = folder.file("link-to-pipe.hex");
    std::filesystem::create_symlink(fifo, linkToFifo);

    // Opening a FIFO without a writer, or reading /dev/zero, the ordinary way never ends:
    // each load runs in a child that is stopped if it blocks.
    for (const std::string& path : {fifo, linkToFifo, std::string("/dev/zero"), std::string("/dev/null"),
                                    folder.path().string()}) {
        const int outcome = testfiles::ResultInChild([&] { return static_cast<int>(LoadFirmwareFile(path).outcome); });
        EXPECT_EQ(outcome, static_cast<int>(LoadOutcome::NotOpened)) << path;
    }
}

TEST_F(Loading, ALinkToARegularFileIsRead)
{
    const std::string valid = writeFile("valid.hex", ValidFirmwareText(SampleSettings(), "\n"));
    std::filesystem::create_symlink("valid.hex", folder.file("link.hex"));
    EXPECT_EQ(LoadFirmwareFile(folder.file("link.hex")).outcome, LoadOutcome::Valid);
}

TEST_F(Loading, TheFileIsClosedWhateverTheOutcome)
{
    const std::string valid = writeFile("valid.hex", ValidFirmwareText(SampleSettings(), "\n"));
    const std::string invalid = writeFile("invalid.hex", "nothing here\n");

    const int before = OpenDescriptorCount();
    EXPECT_EQ(LoadFirmwareFile(valid).outcome, LoadOutcome::Valid);
    EXPECT_EQ(OpenDescriptorCount(), before);
    EXPECT_EQ(LoadFirmwareFile(invalid).outcome, LoadOutcome::NotValid);
    EXPECT_EQ(OpenDescriptorCount(), before);
    // Both open, and are then refused for not being regular files.
    EXPECT_EQ(LoadFirmwareFile("/dev/null").outcome, LoadOutcome::NotOpened);
    EXPECT_EQ(OpenDescriptorCount(), before);
    EXPECT_EQ(LoadFirmwareFile(folder.path().string()).outcome, LoadOutcome::NotOpened);
    EXPECT_EQ(OpenDescriptorCount(), before);
}
