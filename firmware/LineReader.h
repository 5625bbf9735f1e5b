#pragma once

// Reads a text stream the way the firmware tool always has, as C's fgets into a buffer of
// kMaxLineLength + 1 on a file opened in text mode: a carriage return and line feed pair is
// one line end that counts as one character, a lone carriage return is a character of its
// line, and a line longer than kMaxLineLength comes out as several pieces, so memory never
// grows with the line or the file.
//
// Like stdio under fgets, it takes the stream's characters a block at a time and finds each
// line end within the block, so the stream stands somewhere past the last piece returned.

#include "FirmwareFormat.h"

#include <iosfwd>
#include <memory>
#include <string_view>

namespace firmware {

class LineReader {
public:
    struct Line {
        // The piece without its line end.
        std::string_view text;
        // True when the piece filled the buffer and the same source line goes on in the next.
        bool continues = false;
    };

    explicit LineReader(std::istream& in);

    // False at the end of the stream. The text stays valid until the next call.
    bool next(Line& line);

private:
    void refill();

    std::streambuf& in_;
    std::unique_ptr<char[]> block_;  // not cleared first: only what was read is looked at
    std::size_t begin_ = 0;  // the characters not yet returned are [begin_, end_)
    std::size_t end_ = 0;
    bool drained_ = false;
};

}  // namespace firmware
