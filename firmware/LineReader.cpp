#include "LineReader.h"

#include <algorithm>
#include <cstring>
#include <istream>
#include <streambuf>

namespace firmware {

namespace {
constexpr std::size_t kBlockLength = 64 * 1024;
// A piece ends at a line end found among its first kMaxLineLength characters, or at the
// "\r\n" whose carriage return is the last of them: one character more must be in view.
constexpr std::size_t kInView = kMaxLineLength + 1;
}  // namespace

LineReader::LineReader(std::istream& in)
    : in_(*in.rdbuf()), block_(std::make_unique_for_overwrite<char[]>(kBlockLength))
{
}

// Moves the characters not yet returned to the front and reads behind them until a whole
// piece is in view or the stream has ended.
void LineReader::refill()
{
    std::memmove(block_.get(), block_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    while (!drained_ && end_ < kInView) {
        const std::streamsize count = in_.sgetn(block_.get() + end_, static_cast<std::streamsize>(kBlockLength - end_));
        drained_ = count <= 0;
        end_ += drained_ ? 0 : static_cast<std::size_t>(count);
    }
}

bool LineReader::next(Line& line)
{
    if (end_ - begin_ < kInView)
        refill();
    const char* const start = block_.get() + begin_;
    const std::size_t available = end_ - begin_;
    if (available == 0)
        return false;

    const auto* const feed = static_cast<const char*>(std::memchr(start, '\n', std::min(available, kInView)));
    std::size_t length = feed ? static_cast<std::size_t>(feed - start) : std::min(available, kMaxLineLength);
    std::size_t taken = feed ? length + 1 : length;
    bool ended = feed != nullptr;
    if (ended && length > 0 && start[length - 1] == '\r') {
        --length;
    } else if (ended && length == kMaxLineLength) {
        // A line feed just past a full piece, with no carriage return before it: the piece ends
        // without it and the line end is the next piece, an empty one, as with fgets.
        ended = false;
        taken = length;
    }
    begin_ += taken;
    line.text = std::string_view(start, length);
    line.continues = !ended && length == kMaxLineLength;
    return true;
}

}  // namespace firmware
