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

// Nothing but a regular file is replaced: renaming over a device or FIFO would swap out
// the node itself. An existing target hands on its owner, group and permissions.
bool InspectTarget(const std::string& path, std::optional<FileOwnership>& existing)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT;
    existing = FileOwnership{info.st_uid, info.st_gid, static_cast<mode_t>(info.st_mode & 07777)};
    return S_ISREG(info.st_mode);
}

// The temporary file's usual name, unless that is the very file being read: a source
// named like a temporary file must not be removed to make room. Each further name is
// longer, so that even a source linked under many of them ends the search, at the latest
// where the system refuses names that long.
std::string TemporaryNameBeside(const std::string& target, const FileDescriptor& source)
{
    std::string name = TemporaryNameFor(target);
    const std::optional<FileIdentity> sourceIdentity = source.identity();
    while (sourceIdentity && IdentityOfName(name) == sourceIdentity)
        name += "Tmp";
    return name;
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
    return !output.writeFailed() && !input.readFailed();
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
    TemporaryFile temporary(TemporaryNameBeside(*target, source));
    // Another save still writing its temporary file is left to finish undisturbed.
    if (!temporary.removeStale())
        return SaveOutcome::NotOpened;

    std::optional<FileOwnership> existing;
    if (!source.isOpen() || !InspectTarget(*target, existing) || !SourceStillValid(source))
        return SaveOutcome::NotOpened;

    const FileSizeSignalIgnored keepRunning;
    if (!temporary.create(existing))
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
