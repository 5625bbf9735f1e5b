#include "FdInputBuffer.h"

#include <cerrno>

#include <unistd.h>

namespace firmware {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

FdInputBuffer::FdInputBuffer(int fd)
    : fd_(fd), buffer_(kBufferSize)
{
    setg(buffer_.data(), buffer_.data(), buffer_.data());
}

FdInputBuffer::int_type FdInputBuffer::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    for (;;) {
        const ssize_t count = ::read(fd_, buffer_.data(), buffer_.size());
        if (count > 0) {
            setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
            return traits_type::to_int_type(*gptr());
        }
        if (count < 0 && errno == EINTR)
            continue;
        readFailed_ = count < 0;
        return traits_type::eof();
    }
}

}  // namespace firmware
