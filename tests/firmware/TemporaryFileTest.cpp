// The temporary file on its own: created only where nothing stands, removed unless it
// replaced its target. A planted link is what the exclusive create guards against when
// it appears after the stale name was cleared.

#include "TemporaryFile.h"
#include "TestFiles.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

using firmware::TemporaryFile;
using testfiles::ReadAll;
using testfiles::WriteAll;
namespace fs = std::filesystem;

TEST(TemporaryFile, IsNeverCreatedThroughALink)
{
    TestFolder folder;
    const std::string victim = folder.file("victim.txt");
    WriteAll(victim, "untouched\n");
    fs::create_symlink(victim, folder.file("fw.Tmp"));
    {
        TemporaryFile temporary(folder.file("fw.Tmp"));
        EXPECT_FALSE(temporary.create(std::nullopt));
    }
    EXPECT_EQ(ReadAll(victim), "untouched\n");
    EXPECT_TRUE(fs::is_symlink(folder.file("fw.Tmp"))) << "what it did not create it does not remove";
}

TEST(TemporaryFile, IsNeverCreatedOverAnExistingFile)
{
    TestFolder folder;
    WriteAll(folder.file("fw.Tmp"), "someone else's\n");
    {
        TemporaryFile temporary(folder.file("fw.Tmp"));
        EXPECT_FALSE(temporary.create(std::nullopt));
    }
    EXPECT_EQ(ReadAll(folder.file("fw.Tmp")), "someone else's\n");
}

TEST(TemporaryFile, RemoveStaleClearsAFileOrLinkButNotAFolder)
{
    TestFolder folder;
    WriteAll(folder.file("file.Tmp"), "stale\n");
    fs::create_symlink("nowhere", folder.file("link.Tmp"));
    fs::create_directory(folder.file("dir.Tmp"));
    for (const char* name : {"file.Tmp", "link.Tmp", "dir.Tmp"})
        TemporaryFile(folder.file(name)).removeStale();
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"dir.Tmp"}));
}

TEST(TemporaryFile, IsRemovedUnlessItReplacedItsTarget)
{
    TestFolder folder;
    {
        TemporaryFile temporary(folder.file("fw.Tmp"));
        ASSERT_TRUE(temporary.create(0600));
        ASSERT_EQ(::write(temporary.fd(), "x", 1), 1);
        EXPECT_TRUE(fs::exists(folder.file("fw.Tmp")));
    }
    EXPECT_TRUE(folder.entries().empty());

    WriteAll(folder.file("fw.hex"), "old\n");
    {
        TemporaryFile temporary(folder.file("fw.Tmp"));
        ASSERT_TRUE(temporary.create(0640));
        ASSERT_EQ(::write(temporary.fd(), "new\n", 4), 4);
        EXPECT_TRUE(temporary.replace(folder.file("fw.hex")));
    }
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"fw.hex"}));
    EXPECT_EQ(ReadAll(folder.file("fw.hex")), "new\n");
    EXPECT_EQ(fs::status(folder.file("fw.hex")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(TemporaryFile, AFailedRenameRemovesIt)
{
    TestFolder folder;
    fs::create_directory(folder.file("fw.hex"));
    {
        TemporaryFile temporary(folder.file("fw.Tmp"));
        ASSERT_TRUE(temporary.create(std::nullopt));
        EXPECT_FALSE(temporary.replace(folder.file("fw.hex")));
    }
    EXPECT_EQ(folder.entries(), (std::set<std::string>{"fw.hex"}));
    EXPECT_TRUE(fs::is_directory(folder.file("fw.hex")));
}
