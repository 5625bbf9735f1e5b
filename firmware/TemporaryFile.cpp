#include "TemporaryFile.h"

#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace firmware {

TemporaryFile::~TemporaryFile()
{
    if (created_) {
        file_.close();
        ::unlink(path_.c_str());
    }
}

void TemporaryFile::removeStale() const
{
    // Whether it could be removed does not matter: create() refuses anything still there.
    ::unlink(path_.c_str());
}

bool TemporaryFile::create(std::optional<mode_t> permissions)
{
    file_ = FileDescriptor(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!file_.isOpen())
        return false;
    created_ = true;
    return !permissions || ::fchmod(file_.get(), *permissions) == 0;
}

bool TemporaryFile::replace(const std::string& target)
{
    if (!created_ || ::fsync(file_.get()) != 0 || !file_.close())
        return false;
    if (std::rename(path_.c_str(), target.c_str()) != 0)
        return false;
    created_ = false;  // the name now belongs to the target
    return true;
}

}  // namespace firmware
