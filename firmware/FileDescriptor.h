#pragma once

// An owned POSIX file descriptor, closed when it goes out of scope.

#include <optional>
#include <string>

#include <sys/types.h>

namespace firmware {

// Which file a descriptor or a name refers to, for telling whether two names are one file.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;

    bool operator==(const FileIdentity&) const = default;
};

// The file a name refers to, the name itself when it is a symbolic link.
std::optional<FileIdentity> IdentityOfName(const std::string& path);

class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) noexcept : fd_(fd) {}
    ~FileDescriptor();

    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    // Opens a regular file for reading, and only that: a folder, FIFO or device gives a
    // closed descriptor. The open does not wait for a FIFO's writer.
    static FileDescriptor OpenRegularForReading(const std::string& path);

    int get() const noexcept { return fd_; }
    bool isOpen() const noexcept { return fd_ >= 0; }
    std::optional<FileIdentity> identity() const;

    // Closes now; false if the system reported an error (a late write error can show here).
    bool close() noexcept;

private:
    int fd_ = -1;
};

}  // namespace firmware
