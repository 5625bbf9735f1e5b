#pragma once

// A stream buffer that reads from a file descriptor, so that a file opened with the
// checks of FileDescriptor can be read through std::istream.

#include <streambuf>
#include <vector>

namespace firmware {

class FdInputBuffer : public std::streambuf {
public:
    explicit FdInputBuffer(int fd);

    // True once a read failed (as opposed to reaching the end of the file).
    bool readFailed() const noexcept { return readFailed_; }

protected:
    int_type underflow() override;

private:
    int fd_;
    bool readFailed_ = false;
    std::vector<char> buffer_;
};

}  // namespace firmware
