#include "FileDescriptor.h"

#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace firmware {

FileDescriptor::~FileDescriptor()
{
    close();
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1))
{
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

FileDescriptor FileDescriptor::OpenRegularForReading(const std::string& path)
{
    // O_NONBLOCK so that opening a FIFO returns at once instead of waiting for a writer;
    // it changes nothing for the regular files we go on to read.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.isOpen())
        return {};
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return {};
    return file;
}

std::optional<FileIdentity> FileDescriptor::identity() const
{
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

std::optional<FileIdentity> IdentityOfName(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

bool FileDescriptor::close() noexcept
{
    if (fd_ < 0)
        return true;
    // Not retried on EINTR: Linux has released the descriptor whatever close returns.
    const int result = ::close(std::exchange(fd_, -1));
    return result == 0;
}

}  // namespace firmware
