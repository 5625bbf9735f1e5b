// How a save treats the file system: the target replaced in one step or not at all, the
// temporary file made safely and never left behind, links and permission bits kept.
// Every failure is made for real; the run is as root, so permission bits prove nothing.

#include "FirmwareFile.h"
#include "TestFiles.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace firmware;
using testfiles::ReadAll;
using testfiles::SampleSettings;
using testfiles::ValidFirmwareText;
using testfiles::WriteAll;
namespace fs = std::filesystem;

namespace {

struct stat StatOf(const std::string& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

// A file as it stood before a save: content and the inode, so that a rewrite in place
// would show as well as a replacement.
struct Snapshot {
    explicit Snapshot(const std::string& path)
        : path(path), content(ReadAll(path)), inode(StatOf(path).st_ino)
    {
    }

    void expectUnchanged() const
    {
        EXPECT_EQ(ReadAll(path), content) << path;
        EXPECT_EQ(StatOf(path).st_ino, inode) << path;
    }

    std::string path;
    std::string content;
    ino_t inode;
};

class SaveSafety : public ::testing::Test {
protected:
    SaveSafety()
    {
        WriteAll(source, ValidFirmwareText(SampleSettings(), "\n"));
        WriteAll(target, "the old target\n");
    }

    SaveOutcome save(const std::string& from, const std::string& to) const
    {
        return SaveFirmwareFile(from, to, records);
    }

    // The target now holds what a save of the source gives.
    void expectSaved(const std::string& path) const
    {
        const LoadResult loaded = LoadFirmwareFile(path);
        ASSERT_EQ(loaded.outcome, LoadOutcome::Valid) << path;
        EXPECT_EQ(loaded.settings, settings);
    }

    static GeneratorSettings newSettings()
    {
        GeneratorSettings s;
        s.slidingText = "SAVED";
        s.frame = 4;
        return s;
    }

    TestFolder folder;
    const std::string source = folder.file("source.hex");
    const std::string target = folder.file("target.hex");
    const std::string temporary = folder.file("target.Tmp");
    const GeneratorSettings settings = newSettings();
    const EepromRecords records = EncodeEepromRecords(settings);
};

constexpr int kDone = 0;
constexpr int kNotOpened = 1;

int ResultOf(SaveOutcome outcome)
{
    return outcome == SaveOutcome::Done ? kDone : kNotOpened;
}

// Runs the save in a child process that may write at most limit bytes to any file.
int SaveUnderFileSizeLimit(const std::function<SaveOutcome()>& saveCall, rlim_t limit)
{
    return testfiles::ResultInChild([&] {
        // Past the limit the kernel sends SIGXFSZ, which would kill the child; ignored, the
        // write fails with EFBIG instead, which the save must notice.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit cap{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &cap) != 0)
            return 3;
        return ResultOf(saveCall());
    });
}

}  // namespace

struct NameCase {
    const char* target;
    const char* temporary;
};

void PrintTo(const NameCase& name, std::ostream* out)
{
    *out << '"' << name.target << '"';
}

class TemporaryName : public ::testing::TestWithParam<NameCase> {};

TEST_P(TemporaryName, IsTheTargetWithItsLastThreeCharactersOrNothingMoreBecomingTmp)
{
    EXPECT_EQ(TemporaryNameFor(GetParam().target), GetParam().temporary);
}

INSTANTIATE_TEST_SUITE_P(LastThreeCharactersBecomeTmp, TemporaryName,
                         ::testing::Values(NameCase{"file.hex", "file.Tmp"},
                                           NameCase{"/home/op/Firmware/tessel.HEX", "/home/op/Firmware/tessel.Tmp"},
                                           NameCase{"abc", "Tmp"}, NameCase{"noextension", "noextensTmp"}));
// Shorter names get Tmp appended; the folder is never touched.
INSTANTIATE_TEST_SUITE_P(ShortNames, TemporaryName,
                         ::testing::Values(NameCase{"ab", "abTmp"}, NameCase{"x", "xTmp"}, NameCase{"", "Tmp"},
                                           NameCase{"/data/x", "/data/xTmp"},
                                           NameCase{"dir.hex/ab", "dir.hex/abTmp"}));
// Never the target itself.
INSTANTIATE_TEST_SUITE_P(TargetNamedTmp, TemporaryName,
                         ::testing::Values(NameCase{"backup.Tmp", "backup.TmpTmp"}, NameCase{"/data/Tmp", "/data/TmpTmp"}));

TEST_F(SaveSafety, SameFileAsSourceAndTarget)
{
    ASSERT_EQ(save(source, source), SaveOutcome::Done);
    expectSaved(source);
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex"}));
}

TEST_F(SaveSafety, ANewTargetIsCreatedAndTheSourceLeftAlone)
{
    const Snapshot before(source);
    const std::string fresh = folder.file("fresh.hex");
    ASSERT_EQ(save(source, fresh), SaveOutcome::Done);
    expectSaved(fresh);
    before.expectUnchanged();
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex", "fresh.hex"}));

    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(StatOf(fresh).st_mode & 07777, 0666 & ~mask);
}

TEST_F(SaveSafety, AStaleTemporaryFileIsReplacedAndGone)
{
    WriteAll(temporary, "left over from an earlier save\n");
    ASSERT_EQ(save(source, target), SaveOutcome::Done);
    expectSaved(target);
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex"}));
}

TEST_F(SaveSafety, ALinkPlantedAtTheTemporaryNameIsNeverWrittenThrough)
{
    const std::string victim = folder.file("victim.txt");
    WriteAll(victim, "must stay as it is\n");
    const Snapshot before(victim);
    fs::create_symlink(victim, temporary);

    ASSERT_EQ(save(source, target), SaveOutcome::Done);
    expectSaved(target);
    before.expectUnchanged();
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex", "victim.txt"}));
}

TEST_F(SaveSafety, ALinkAtTheTemporaryNameLeadingNowhereIsRemovedToo)
{
    fs::create_symlink(folder.file("missing/planted"), temporary);
    ASSERT_EQ(save(source, target), SaveOutcome::Done);
    EXPECT_FALSE(fs::exists(folder.file("missing")));
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex"}));
}

TEST_F(SaveSafety, ALinkedTargetStaysALinkAndItsFileIsReplaced)
{
    fs::create_directory(folder.file("real"));
    const std::string realFile = folder.file("real/firmware.hex");
    WriteAll(realFile, "old firmware\n");
    // A stale temporary beside the real file goes; one beside the link is no business of ours.
    WriteAll(folder.file("real/firmware.Tmp"), "stale\n");
    const std::string link = folder.file("link.hex");
    fs::create_symlink("real/firmware.hex", link);
    WriteAll(folder.file("link.Tmp"), "not ours\n");
    const Snapshot besideLink(folder.file("link.Tmp"));

    ASSERT_EQ(save(source, link), SaveOutcome::Done);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), "real/firmware.hex");
    expectSaved(realFile);
    besideLink.expectUnchanged();
    EXPECT_EQ(TestFolder::EntriesOf(folder.file("real")), (std::set<std::string>{"firmware.hex"}));
}

TEST_F(SaveSafety, AChainOfLinksIsFollowedToTheEnd)
{
    fs::create_directories(folder.file("a/b"));
    WriteAll(folder.file("a/b/fw.hex"), "old\n");
    fs::create_symlink("b/fw.hex", folder.file("a/second"));
    fs::create_symlink("a/second", folder.file("first"));

    ASSERT_EQ(save(source, folder.file("first")), SaveOutcome::Done);
    EXPECT_TRUE(fs::is_symlink(folder.file("first")));
    EXPECT_TRUE(fs::is_symlink(folder.file("a/second")));
    expectSaved(folder.file("a/b/fw.hex"));
    EXPECT_EQ(TestFolder::EntriesOf(folder.file("a/b")), (std::set<std::string>{"fw.hex"}));
}

TEST_F(SaveSafety, ADanglingLinkGetsTheFileItPointsTo)
{
    const std::string link = folder.file("link.hex");
    fs::create_symlink("created.hex", link);
    ASSERT_EQ(save(source, link), SaveOutcome::Done);
    EXPECT_TRUE(fs::is_symlink(link));
    expectSaved(folder.file("created.hex"));
}

TEST_F(SaveSafety, ALoopOfLinksIsRefused)
{
    fs::create_symlink("loop-b", folder.file("loop-a"));
    fs::create_symlink("loop-a", folder.file("loop-b"));
    EXPECT_EQ(save(source, folder.file("loop-a")), SaveOutcome::NotOpened);
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex", "loop-a", "loop-b"}));
}

TEST_F(SaveSafety, TheTargetKeepsItsPermissionBits)
{
    for (const mode_t mode : {mode_t{0640}, mode_t{0604}, mode_t{0444}, mode_t{0755}}) {
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        ASSERT_EQ(save(source, target), SaveOutcome::Done);
        EXPECT_EQ(StatOf(target).st_mode & 07777, mode) << std::oct << mode;
        expectSaved(target);
    }
}

TEST_F(SaveSafety, ATargetNamedLikeATemporaryFileIsNotDestroyedFirst)
{
    const std::string tmpNamed = folder.file("firmware.Tmp");
    WriteAll(tmpNamed, "old\n");
    ASSERT_EQ(save(source, tmpNamed), SaveOutcome::Done);
    expectSaved(tmpNamed);
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex", "firmware.Tmp"}));
}

TEST_F(SaveSafety, ASourceNamedLikeTheTemporaryFileIsNotRemoved)
{
    // Saving target.hex from target.Tmp: the usual temporary name is the source itself.
    fs::rename(source, temporary);
    const Snapshot before(temporary);
    ASSERT_EQ(save(temporary, target), SaveOutcome::Done);
    before.expectUnchanged();
    expectSaved(target);
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"target.Tmp", "target.hex"}));
}

TEST_F(SaveSafety, FailsWhenTheTargetsFolderIsMissing)
{
    EXPECT_EQ(save(source, folder.file("missing/target.hex")), SaveOutcome::NotOpened);
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex"}));
}

TEST_F(SaveSafety, FailsWhenAFolderStandsAtTheTargetsName)
{
    const std::string dir = folder.file("dir.hex");
    fs::create_directory(dir);
    WriteAll(folder.file("dir.hex/inside"), "kept\n");
    EXPECT_EQ(save(source, dir), SaveOutcome::NotOpened);
    EXPECT_TRUE(fs::is_directory(dir));
    EXPECT_EQ(TestFolder::EntriesOf(dir), (std::set<std::string>{"inside"}));
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex", "dir.hex"}));
}

TEST_F(SaveSafety, FailsWhenAFolderStandsAtTheTemporaryName)
{
    const Snapshot before(target);
    fs::create_directory(temporary);
    EXPECT_EQ(save(source, target), SaveOutcome::NotOpened);
    before.expectUnchanged();
    EXPECT_TRUE(fs::is_directory(temporary));
    EXPECT_TRUE(fs::is_empty(temporary));
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex", "target.Tmp"}));
}

TEST_F(SaveSafety, FailsOnAWriteErrorAndLeavesTheTargetAsItWas)
{
    // A target bigger than the limit: nothing of it may be rewritten in place.
    WriteAll(target, std::string(4000, 'T'));
    const Snapshot before(target);
    EXPECT_EQ(SaveUnderFileSizeLimit([&] { return save(source, target); }, 300), kNotOpened);
    before.expectUnchanged();
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex"}));

    // The same save with room to write succeeds, so it was the limit that stopped it.
    EXPECT_EQ(SaveUnderFileSizeLimit([&] { return save(source, target); }, 1 << 20), kDone);
    expectSaved(target);
}

TEST_F(SaveSafety, FailsWhenTheLimitFallsInTheLastBytes)
{
    // A large source, so that the write error comes well after the first buffer's worth.
    std::string big;
    for (int i = 0; i < 5000; ++i)
        big += "; comment line " + std::to_string(i) + "\n";
    WriteAll(source, big + ValidFirmwareText(SampleSettings(), "\n"));
    WriteAll(folder.file("probe.hex"), "");
    ASSERT_EQ(save(source, folder.file("probe.hex")), SaveOutcome::Done);
    const auto fullSize = static_cast<rlim_t>(fs::file_size(folder.file("probe.hex")));
    fs::remove(folder.file("probe.hex"));

    const Snapshot before(target);
    EXPECT_EQ(SaveUnderFileSizeLimit([&] { return save(source, target); }, fullSize - 1), kNotOpened);
    before.expectUnchanged();
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex"}));
    EXPECT_EQ(SaveUnderFileSizeLimit([&] { return save(source, target); }, fullSize), kDone);
}

TEST_F(SaveSafety, FailsWhenTheSourceIsGone)
{
    const Snapshot before(target);
    fs::remove(source);
    EXPECT_EQ(save(source, target), SaveOutcome::NotOpened);
    before.expectUnchanged();
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"target.hex"}));
}

TEST_F(SaveSafety, AFailedSaveRemovesAStaleTemporaryFile)
{
    WriteAll(temporary, "left over\n");
    fs::remove(source);
    EXPECT_EQ(save(source, target), SaveOutcome::NotOpened);
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"target.hex"}));
}

TEST_F(SaveSafety, OnlyARegularFileIsASourceAndNoneBlocks)
{
    const Snapshot before(target);
    const std::string fifo = folder.file("pipe.hex");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& notAFile : {fifo, std::string("/dev/zero"), folder.path().string()}) {
        // In a child, which is stopped if the save blocks on the FIFO or reads on forever.
        EXPECT_EQ(testfiles::ResultInChild([&] { return ResultOf(save(notAFile, target)); }), kNotOpened)
            << notAFile;
        before.expectUnchanged();
        EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex", "pipe.hex"}));
    }
}

TEST_F(SaveSafety, OnlyARegularFileIsReplaced)
{
    const std::string fifo = folder.file("pipe.hex");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(save(source, fifo), SaveOutcome::NotOpened);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"source.hex", "target.hex", "pipe.hex"}));
}

TEST_F(SaveSafety, NoDescriptorIsLeftOpen)
{
    const int before = testfiles::OpenDescriptorCount();
    EXPECT_EQ(save(source, target), SaveOutcome::Done);
    EXPECT_EQ(testfiles::OpenDescriptorCount(), before);
    fs::create_directory(temporary);
    EXPECT_EQ(save(source, target), SaveOutcome::NotOpened);
    EXPECT_EQ(testfiles::OpenDescriptorCount(), before);
}
