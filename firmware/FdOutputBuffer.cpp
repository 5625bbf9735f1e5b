#include "FdOutputBuffer.h"

#include <cerrno>

#include <unistd.h>

namespace firmware {

namespace {
constexpr std::size_t kBufferSize = 64 * 1024;
}

FdOutputBuffer::FdOutputBuffer(int fd)
    : fd_(fd), buffer_(kBufferSize)
{
    // One slot held back so overflow can store its character before draining.
    setp(buffer_.data(), buffer_.data() + buffer_.size() - 1);
}

FdOutputBuffer::int_type FdOutputBuffer::overflow(int_type c)
{
    if (writeFailed_)
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    if (!drain())
        return traits_type::eof();
    return traits_type::not_eof(c);
}

int FdOutputBuffer::sync()
{
    return drain() ? 0 : -1;
}

bool FdOutputBuffer::drain()
{
    if (writeFailed_)
        return false;
    const char* next = pbase();
    const char* const end = pptr();
    while (next < end) {
        const ssize_t count = ::write(fd_, next, static_cast<std::size_t>(end - next));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            writeFailed_ = true;
            return false;
        }
        next += count;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size() - 1);
    return true;
}

}  // namespace firmware
