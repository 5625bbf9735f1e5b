// Loading and saving real files. Every fault is made for real (the suite runs as root, so
// permission bits would prove nothing), and gpasm's own file for the same settings is the
// measure of a saved one.

#include "FirmwareFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>

using namespace firmware;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

const fs::path kData = KELVO_TEST_DATA;
const GeneratorSettings kEdited = LoadFirmwareFile(kData / "edited.hex").settings;  // frame 12, call sign Q0TEST
constexpr int kDone = 0, kNotOpened = 1, kStopped = 100;
// A child stops itself when its save makes this call, for another to meet it there; at
// "fsync" the disk reports an error instead.
const char* gStopAt = "";

// A fresh folder named for the case, holding the assembled firmware as src.hex and an old
// target fw.hex, once the shell command `arrange` has run in it. It may reshape $E, gpasm's
// file with the edits, like the source: with CR LF line ends, all that a save must write.
int Arrange(const std::string& name, const std::string& arrange)
{
    ::setenv("N", name.c_str(), 1);
    ::setenv("D", KELVO_TEST_DATA, 1);
    const std::string setup = "set -e; cd \"$D\"; rm -rf $N $N.want; mkdir $N; cp edited.hex $N.want\n"
                              "cp plain.hex $N/src.hex; cd $N; echo old > fw.hex; E=../$N.want\n";
    return WEXITSTATUS(std::system((setup + arrange + "\nsed -i 's/$/\\r/' $E; truncate -s -2 $E").c_str()));
}

// A save in a child process with SIGXFSZ at its default action, under a file-size limit:
// exits 0 Done or 1 NotOpened, plus 2 when the save left SIGXFSZ's disposition changed.
pid_t StartSave(const fs::path& source, const fs::path& target, const GeneratorSettings& settings,
                const char* stopAt = "", rlim_t limit = RLIM_INFINITY)
{
    if (const pid_t child = ::fork(); child != 0)
        return child;
    gStopAt = stopAt;
    const rlimit cap{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &cap);
    ::signal(SIGXFSZ, SIG_DFL);
    ::alarm(30);  // a save that hangs ends with its child
    const bool done = SaveFirmwareFile(source, target, EncodeEepromRecords(settings)) == SaveOutcome::Done;
    ::_exit((done ? 0 : 1) + (::signal(SIGXFSZ, SIG_DFL) == SIG_DFL ? 0 : 2));
}

// The child's exit status once it stops or ends (resumed first, if asked); -1 when a signal
// ended it.
int Wait(pid_t child, bool resume = false)
{
    int status = -1;  // neither stopped nor exited, should waitpid fail
    if (resume)
        ::kill(child, SIGCONT);
    ::waitpid(child, &status, WUNTRACED);
    return WIFSTOPPED(status) ? kStopped : WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// StartSave's save, run as uid with groups (its own group first) by a child that becomes that
// user; kUnreachable when that user cannot write in the folder.
constexpr int kUnreachable = 77;
int SaveAs(uid_t uid, const std::vector<gid_t>& groups, const fs::path& folder)
{
    if (const pid_t child = ::fork(); child != 0)
        return Wait(child);
    if (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(groups[0]) != 0 || ::setuid(uid) != 0)
        ::_exit(-1);
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        ::_exit(kUnreachable);
    ::_exit(Wait(StartSave(folder / "src.hex", folder / "fw.hex", kEdited)));
}

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "(unreadable)";
}

// The names in the folder.
std::set<std::string> Names(const fs::path& folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry& file : fs::directory_iterator(folder))
        names.insert(file.path().filename());
    return names;
}

}  // namespace

extern "C" int rename(const char* from, const char* to) noexcept
{
    if (gStopAt == std::string_view("rename"))
        ::raise(SIGSTOP);
    const int result = ::renameat(AT_FDCWD, from, AT_FDCWD, to);
    if (gStopAt == std::string_view("renamed"))
        ::raise(SIGSTOP);
    return result;
}

extern "C" int flock(int fd, int operation) noexcept
{
    if (gStopAt == std::string_view("flock"))
        ::raise(SIGSTOP);
    return static_cast<int>(::syscall(SYS_flock, fd, operation));
}

extern "C" int fsync(int fd) noexcept
{
    if (gStopAt != std::string_view("fsync"))
        return static_cast<int>(::syscall(SYS_fsync, fd));
    errno = EIO;
    return -1;
}

// Case, arrangement, outcome, source, target, the names left ("": the two at the start), and
// by how much the file-size limit falls short of the saved file (-1: no limit).
using SaveRow = std::tuple<const char*, const char*, int, const char*, const char*, const char*, long>;
class Saving : public ::testing::TestWithParam<SaveRow> {};

TEST_P(Saving, ReplacesTheTargetWholeOrNotAtAll)
{
    const auto& [what, arrange, result, source, target, left, shortBy] = GetParam();
    const int arranged = Arrange(what, arrange);
    if (arranged == 77)
        GTEST_SKIP() << "needs root";
    ASSERT_EQ(arranged, 0);
    const fs::path folder = kData / what, saved = fs::weakly_canonical(folder / target);
    const std::string expected = ReadAll(folder.string() + ".want");
    struct stat before {}, after {};
    const bool existed = ::stat(saved.c_str(), &before) == 0;

    const rlim_t limit = shortBy < 0 ? RLIM_INFINITY : expected.size() - rlim_t(shortBy);
    EXPECT_EQ(Wait(StartSave(folder / source, folder / target, kEdited, "", limit)), result);
    std::istringstream words(*left ? left : "fw.hex src.hex");
    EXPECT_EQ(Names(folder), std::set<std::string>(std::istream_iterator<std::string>(words), {}));
    // Done: the saved file is gpasm's, with the old file's owner, group and mode; else the target is as it was.
    EXPECT_EQ(ReadAll(result == kDone ? saved : folder / "fw.hex"), result == kDone ? expected : "old\n");
    EXPECT_TRUE(result != kDone || (::stat(saved.c_str(), &after) == 0 &&
                                    (!existed || std::tie(after.st_mode, after.st_uid, after.st_gid) ==
                                                     std::tie(before.st_mode, before.st_uid, before.st_gid))));
    // A file made anew has the mode of any new file: 0666 less the umask.
    const mode_t umask = ::umask(0);
    ::umask(umask);
    EXPECT_TRUE(result != kDone || existed || (after.st_mode & 07777) == (0666 & ~umask));
}

// A saved file of 64 KiB and one byte: the write buffer's last write is of a single byte.
constexpr const char* kOneByteLast = "n=$((65537 - $(wc -c < $E) - $(wc -l < $E) - 1)); sed -i \"1i ;$(printf %${n}s | tr ' ' x)\" src.hex $E";
constexpr const char* kBig = "for f in src.hex $E; do seq -f ';%060g' 2000 | cat - $f > t; mv t $f; done";
INSTANTIATE_TEST_SUITE_P(Faults, Saving, ::testing::ValuesIn(std::vector<SaveRow>{
    {"Plain", "", kDone, "src.hex", "fw.hex", "", -1},
    {"SourceIsTarget", "", kDone, "src.hex", "src.hex", "", -1},
    {"ConfigWordAfterKept", "sed -i '/^:0240/{h;d};/^:00000001/{x;G}' src.hex $E", kDone, "src.hex", "fw.hex", "", -1},
    {"LongLineCopiedWhole", "sed -i \"1i ;$(printf %450s | tr ' ' x)\" src.hex $E", kDone, "src.hex", "fw.hex", "", -1},
    {"LineOfAWholePieceCopied", "sed -i \"1i ;$(printf %198s | tr ' ' x)\" src.hex $E", kDone, "src.hex", "fw.hex", "", -1},
    {"PastTheWriteBuffer", kBig, kDone, "src.hex", "fw.hex", "", -1},
    {"LastWriteOfOneByte", kOneByteLast, kDone, "src.hex", "fw.hex", "", -1},
    {"StaleTemporaryRemoved", "echo stale > fw.Tmp", kDone, "src.hex", "fw.hex", "", -1},
    {"LinkAtTheTemporaryName", "touch kept; ln -s kept fw.Tmp", kDone, "src.hex", "fw.hex", "fw.hex kept src.hex", -1},
    {"LinkedTarget", "mkdir d; touch d/fw; ln -s d/fw link", kDone, "src.hex", "link", "d fw.hex link src.hex", -1},
    {"DanglingLinkTarget", "ln -s made.hex link", kDone, "src.hex", "link", "fw.hex link made.hex src.hex", -1},
    {"TargetNamedLikeATemporaryFile", "echo old > old.Tmp", kDone, "src.hex", "old.Tmp", "fw.hex old.Tmp src.hex", -1},
    {"SourceNamedLikeTheTemporaryFile", "mv src.hex fw.Tmp", kDone, "fw.Tmp", "fw.hex", "fw.Tmp fw.hex", -1},
    {"PermissionBitsKept", "chmod 604 fw.hex", kDone, "src.hex", "fw.hex", "", -1},
    {"OwnerKept", "chown 4321:4322 fw.hex || exit 77; chmod 600 fw.hex", kDone, "src.hex", "fw.hex", "", -1},
    {"FileSizeLimitOneByteShort", "", kNotOpened, "src.hex", "fw.hex", "", 1},
    {"FileSizeLimitBeforeTheLastWrite", kBig, kNotOpened, "src.hex", "fw.hex", "", 100000},
    {"MissingFolder", "", kNotOpened, "src.hex", "no/fw.hex", "", -1},
    {"FolderAtTheTarget", "mkdir dir.hex", kNotOpened, "src.hex", "dir.hex", "dir.hex fw.hex src.hex", -1},
    {"FolderAtTheTemporaryName", "mkdir fw.Tmp", kNotOpened, "src.hex", "fw.hex", "fw.Tmp fw.hex src.hex", -1},
    {"FifoTarget", "mkfifo pipe", kNotOpened, "src.hex", "pipe", "fw.hex pipe src.hex", -1},
    {"FifoSource", "mkfifo pipe", kNotOpened, "pipe", "fw.hex", "fw.hex pipe src.hex", -1},
    {"DeviceSource", "", kNotOpened, "/dev/zero", "fw.hex", "", -1},
    {"VanishedSource", "rm src.hex; echo stale > fw.Tmp", kNotOpened, "src.hex", "fw.hex", "fw.hex", -1},
    {"SourceEmptied", ": > src.hex", kNotOpened, "src.hex", "fw.hex", "", -1},
    {"SourceLostItsRecords", "grep -v :1042 src.hex > t; mv t src.hex", kNotOpened, "src.hex", "fw.hex", "", -1},
}), [](const ::testing::TestParamInfo<SaveRow>& info) { return std::string(std::get<0>(info.param)); });

TEST(DiskError, SyncFailedLeavesTheTargetAsItWas)
{
    ASSERT_EQ(Arrange("SyncFailed", ""), 0);
    const fs::path folder = kData / "SyncFailed";
    EXPECT_EQ(Wait(StartSave(folder / "src.hex", folder / "fw.hex", kEdited, "fsync")), kNotOpened);
    EXPECT_EQ(ReadAll(folder / "fw.hex"), "old\n");
    EXPECT_EQ(Names(folder), (std::set<std::string>{"fw.hex", "src.hex"}));
}

TEST(Sharing, AnotherUsersFileKeepsItsGroupAndPermissions)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root, to save as a user of its own in groups of its own";
    // The saver, uid 4322 in its group 4324 and in 4323, replaces a file of uid 4321 in a
    // folder of root and 4323: the file becomes the saver's; its group stays where the saver
    // is in it, and its permissions, set-user and set-group bits too, stay in any case.
    const std::tuple<const char*, const char*, gid_t, mode_t> rows[] = {
        {"SharedGroup", "chmod 664 fw.hex", 4323, 0664},
        {"SetBitsAfterTheGroup", "chmod 6775 fw.hex", 4323, 06775},
        {"GroupOfOthers", "chgrp 4325 fw.hex; chmod 640 fw.hex", 4324, 0640},
    };
    for (const auto& [what, arrange, group, mode] : rows) {
        const int arranged = Arrange(what, "chown 4321:4323 fw.hex || exit 77; chgrp 4323 .; chmod 775 .; "s + arrange);
        if (arranged == 77)
            GTEST_SKIP() << "files cannot be given to other ids here";
        ASSERT_EQ(arranged, 0);
        const fs::path folder = kData / what;
        const int saved = SaveAs(4322, {4324, 4323}, folder);
        if (saved == kUnreachable)
            GTEST_SKIP() << "another user cannot reach " << folder;
        EXPECT_EQ(saved, kDone) << what;
        struct stat after {};
        ASSERT_EQ(::stat((folder / "fw.hex").c_str(), &after), 0);
        EXPECT_EQ(std::tuple(after.st_uid, after.st_gid, after.st_mode & 07777), std::tuple(4322u, group, mode))
            << what;
        EXPECT_EQ(ReadAll(folder / "fw.hex"), ReadAll(folder.string() + ".want")) << what;
    }
}

TEST(Races, TwoSavesToOneTargetAtOnce)
{
    // The first holds its finished file at its rename; then the second took the first's new
    // file for stale before the first had locked it, and holds its own at its rename; then the
    // first has just renamed its file when the second holds its own at the name.
    for (const auto& [firstAt, secondAt, first, second] :
         {std::tuple{"rename", "", kDone, kNotOpened}, std::tuple{"flock", "rename", kNotOpened, kDone},
          std::tuple{"renamed", "rename", kDone, kDone}}) {
        ASSERT_EQ(Arrange("Race", ""), 0);
        EXPECT_EQ(LoadFirmwareFile(kData / "Race/fw.hex").outcome, LoadOutcome::NotValid);  // "old"
        const pid_t one = StartSave(kData / "Race/src.hex", kData / "Race/fw.hex", kEdited, firstAt);
        EXPECT_EQ(Wait(one), kStopped);
        // Made, not yet given the target's permissions: the new file is its maker's alone.
        struct stat made {};
        EXPECT_TRUE(firstAt != std::string_view("flock") ||
                    (::stat((kData / "Race/fw.Tmp").c_str(), &made) == 0 && (made.st_mode & 0777) == 0600));
        const pid_t two = StartSave(kData / "Race/src.hex", kData / "Race/fw.hex", {.slidingText = "2"}, secondAt);
        const int secondEarly = Wait(two);
        EXPECT_EQ(Wait(one, true), first) << firstAt;
        EXPECT_EQ(secondEarly == kStopped ? Wait(two, true) : secondEarly, second) << firstAt;
        const LoadResult landed = LoadFirmwareFile(kData / "Race/fw.hex");  // the bytes of the last save done
        EXPECT_EQ(std::tie(landed.outcome, landed.settings),
                  std::tuple(LoadOutcome::Valid, second == kDone ? GeneratorSettings{.slidingText = "2"} : kEdited));
        EXPECT_EQ(Names(kData / "Race"), (std::set<std::string>{"fw.hex", "src.hex"}));
    }
}

TEST(TemporaryName, LastThreeCharactersBecomeTmp)
{
    const std::pair<std::string, std::string> rows[] = {
        {"file.hex", "file.Tmp"}, {"/home/op/fw/tessel.HEX", "/home/op/fw/tessel.Tmp"}, {"abc", "Tmp"}, {"ab", "abTmp"},
        {"", "Tmp"}, {"dir.hex/ab", "dir.hex/abTmp"}, {"backup.Tmp", "backup.TmpTmp"}, {"/data/Tmp", "/data/TmpTmp"},
        {"a😀", "a😀Tmp"}, {"fw.ü€😀", "fw.Tmp"}, {"fw.\xC2\x80\xE0\xA0\x80\xF0\x90\x80\x80", "fw.Tmp"},
        {"fw.\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF", "fw.Tmp"}, {"ab\xC0\xAF", "aTmp"}, {"ab\xE0\x80\xAF", "abTmp"},
        {"ab\xF0\x80\x80\xAF", "ab\xF0Tmp"}, {"ab\xED\xA0\x80", "abTmp"}, {"ab\xF4\x90\x80\x80", "ab\xF4Tmp"},
        {"xab\x80", "xTmp"}, {"xab\xE2\x82", "xaTmp"},  // from "ab\xC0\xAF" on, not UTF-8: bytes are cut
    };
    for (const auto& [target, temporary] : rows)
        EXPECT_EQ(TemporaryNameFor(target), temporary) << target;
}
