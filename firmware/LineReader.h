#pragma once

// Reads a text stream the way the firmware tool always has: into a fixed buffer of
// kMaxLineLength + 1 characters, so a longer line comes out as several pieces and memory
// never grows with the line or the file.

#include "FirmwareFormat.h"

#include <array>
#include <iosfwd>
#include <string_view>

namespace firmware {

class LineReader {
public:
    struct Line {
        // The piece without its line end: the line feed, or carriage return and line feed.
        std::string_view text;
        // True when the piece filled the buffer and the same source line goes on in the next.
        bool continues = false;
    };

    explicit LineReader(std::istream& in) : in_(in) {}

    // False at the end of the stream. The text stays valid until the next call.
    bool next(Line& line);

private:
    std::istream& in_;
    std::array<char, kMaxLineLength + 1> buffer_{};
};

}  // namespace firmware
