#pragma once

// A stream buffer that writes to a file descriptor through a fixed buffer and remembers
// whether any write failed, so that a short disk or a file-size limit is never missed.

#include <streambuf>
#include <vector>

namespace firmware {

class FdOutputBuffer : public std::streambuf {
public:
    explicit FdOutputBuffer(int fd);

    bool writeFailed() const noexcept { return writeFailed_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();

    int fd_;
    bool writeFailed_ = false;
    std::vector<char> buffer_;
};

}  // namespace firmware
