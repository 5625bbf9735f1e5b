#include "TemporaryFile.h"

#include <cstdio>
#include <tuple>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace firmware {

namespace {

// Whether the name still refers to the file open at fd, which another save may have
// removed and replaced since.
bool NameRefersTo(const std::string& path, const FileDescriptor& file)
{
    const std::optional<FileIdentity> named = IdentityOfName(path);
    return named && named == file.identity();
}

bool TryLock(const FileDescriptor& file)
{
    return ::flock(file.get(), LOCK_EX | LOCK_NB) == 0;
}

// The group first, while the file is still ours to change: any member of the target's group
// may give it that group, though only root may give it to another owner. What the system
// refuses stays as the file was made. The permissions come last, since a change of owner or
// group clears the set-user and set-group bits, and after the writes, which clear them too.
bool TakeOver(const FileDescriptor& file, const FileOwnership& ownership)
{
    std::ignore = ::fchown(file.get(), static_cast<uid_t>(-1), ownership.group);
    std::ignore = ::fchown(file.get(), ownership.owner, static_cast<gid_t>(-1));
    return ::fchmod(file.get(), ownership.permissions) == 0;
}

}  // namespace

TemporaryFile::~TemporaryFile()
{
    // Removed before the lock goes with the descriptor, so no other save can have taken
    // the name in between.
    if (created_)
        ::unlink(path_.c_str());
}

bool TemporaryFile::removeStale() const
{
    struct stat info {};
    if (::lstat(path_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        // Nothing, or a link or a node that no save makes. A folder stays, for create() to refuse.
        ::unlink(path_.c_str());
        return true;
    }
    const FileDescriptor held(::open(path_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!held.isOpen())
        return true;
    if (!TryLock(held))
        return false;
    // Locked, it can be no live save's; but unlink only the file that was locked.
    if (NameRefersTo(path_, held))
        ::unlink(path_.c_str());
    return true;
}

bool TemporaryFile::create(const std::optional<FileOwnership>& ownership)
{
    // A file that takes over a target's permissions is its maker's alone until it has them:
    // whoever opened it in between could otherwise read what a private target holds.
    const mode_t mode = ownership ? 0600 : 0666;
    file_ = FileDescriptor(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
    if (!file_.isOpen())
        return false;
    if (!TryLock(file_) || !NameRefersTo(path_, file_)) {
        file_.close();
        return false;
    }
    created_ = true;
    ownership_ = ownership;
    return true;
}

bool TemporaryFile::replace(const std::string& target)
{
    if (!created_ || (ownership_ && !TakeOver(file_, *ownership_)) || ::fsync(file_.get()) != 0)
        return false;
    if (std::rename(path_.c_str(), target.c_str()) != 0)
        return false;
    created_ = false;  // the name now belongs to the target
    // The data is on disk already; the lock goes with the descriptor.
    file_.close();
    return true;
}

}  // namespace firmware
