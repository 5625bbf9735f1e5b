// Writing a firmware file back: the source's records around sixteen new EEPROM records,
// through a temporary file that replaces the target in one rename.

#include "FdInputBuffer.h"
#include "FdOutputBuffer.h"
#include "FileDescriptor.h"
#include "FileNames.h"
#include "FirmwareFile.h"
#include "FirmwareLayout.h"
#include "TemporaryFile.h"

#include <cerrno>
#include <istream>
#include <ostream>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace firmware {

namespace {

// How many other temporary names are tried when the usual one is the source itself.
constexpr int kTemporaryNameTries = 8;

struct TargetState {
    bool exists = false;
    mode_t permissions = 0;
};

// Nothing but a regular file is replaced: renaming over a device or FIFO would swap out
// the node itself.
std::optional<TargetState> InspectTarget(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT)
            return TargetState{};
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode))
        return std::nullopt;
    return TargetState{true, static_cast<mode_t>(info.st_mode & 07777)};
}

std::optional<FileIdentity> IdentityOfName(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

// The temporary file's usual name, unless that is the very file being read: a source
// named like a temporary file must not be removed to make room.
std::optional<std::string> TemporaryNameBeside(const std::string& target, const FileDescriptor& source)
{
    std::string name = TemporaryNameFor(target);
    const std::optional<FileIdentity> sourceIdentity = source.identity();
    for (int tries = 0; tries < kTemporaryNameTries; ++tries) {
        if (!sourceIdentity || IdentityOfName(name) != sourceIdentity)
            return name;
        name += "Tmp";
    }
    return std::nullopt;
}

// The source may have changed on disk since an open accepted it. It is copied only while it
// still passes the open's own test, so a save never turns a valid target into a file the
// tool refuses. Scanned, then read again from its start: memory stays flat.
bool SourceStillValid(const FileDescriptor& source)
{
    FdInputBuffer input(source.get());
    std::istream in(&input);
    const bool valid = IsValidScan(ScanFirmware(in)) && !input.readFailed();
    return valid && ::lseek(source.get(), 0, SEEK_SET) == 0;
}

bool WriteTemporary(const FileDescriptor& source, const EepromRecords& records, const TemporaryFile& temporary)
{
    FdInputBuffer input(source.get());
    std::istream in(&input);
    FdOutputBuffer output(temporary.fd());
    std::ostream out(&output);
    WriteFirmwareLayout(in, records, out);
    out.flush();
    return out.good() && !output.writeFailed() && !input.readFailed();
}

// Makes the rename itself durable. The target has already been replaced by then, so a
// failure here cannot be undone and does not turn the save into a failed one.
void SyncFolder(const std::string& folder)
{
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.isOpen())
        ::fsync(directory.get());
}

// A write past a file-size limit (ulimit -f) raises SIGXFSZ, whose default action ends the
// program with the user's edits. Ignored while a save runs, the write fails with EFBIG
// instead, as any other write error; the program's own disposition comes back afterwards.
class FileSizeSignalIgnored {
public:
    FileSizeSignalIgnored()
    {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &previous_);
    }
    ~FileSizeSignalIgnored() { ::sigaction(SIGXFSZ, &previous_, nullptr); }

    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

private:
    struct sigaction previous_ {};
};

}  // namespace

SaveOutcome SaveFirmwareFile(const std::string& sourcePath, const std::string& targetPath,
                             const EepromRecords& records)
{
    // A target that is a symbolic link stays one: the file it leads to is replaced.
    const std::optional<std::string> target = FollowSymlinks(targetPath);
    if (!target)
        return SaveOutcome::NotOpened;

    FileDescriptor source = FileDescriptor::OpenRegularForReading(sourcePath);
    const std::optional<std::string> temporaryPath = TemporaryNameBeside(*target, source);
    if (!temporaryPath)
        return SaveOutcome::NotOpened;
    TemporaryFile temporary(*temporaryPath);
    temporary.removeStale();

    const std::optional<TargetState> targetState = InspectTarget(*target);
    if (!source.isOpen() || !targetState || !SourceStillValid(source))
        return SaveOutcome::NotOpened;

    const std::optional<mode_t> permissions =
        targetState->exists ? std::optional<mode_t>(targetState->permissions) : std::nullopt;
    const FileSizeSignalIgnored keepRunning;
    if (!temporary.create(permissions))
        return SaveOutcome::NotOpened;
    if (!WriteTemporary(source, records, temporary))
        return SaveOutcome::NotOpened;
    source.close();
    if (!temporary.replace(*target))
        return SaveOutcome::NotOpened;
    SyncFolder(FolderOf(*target));
    return SaveOutcome::Done;
}

}  // namespace firmware
