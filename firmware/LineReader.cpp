#include "LineReader.h"

#include <istream>
#include <streambuf>

namespace firmware {

bool LineReader::next(Line& line)
{
    using Traits = std::streambuf::traits_type;
    std::streambuf& in = *in_.rdbuf();
    std::size_t length = 0;
    bool ended = false;
    bool atEnd = false;
    // The line end is read within the same count as the characters, as fgets does: a line of
    // exactly kMaxLineLength characters leaves its line end for the next read, an empty piece.
    while (length < kMaxLineLength) {
        const Traits::int_type c = in.sbumpc();
        if (Traits::eq_int_type(c, Traits::eof())) {
            atEnd = true;
            break;
        }
        if (c == '\n' || (c == '\r' && in.sgetc() == '\n')) {
            if (c == '\r')
                in.sbumpc();
            ended = true;
            break;
        }
        buffer_[length++] = Traits::to_char_type(c);
    }
    if (length == 0 && atEnd)
        return false;
    line.text = std::string_view(buffer_.data(), length);
    line.continues = !ended && !atEnd;
    return true;
}

}  // namespace firmware
