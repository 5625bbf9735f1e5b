#pragma once

// Reads a text stream the way the firmware tool always has, as C's fgets into a buffer of
// kMaxLineLength + 1 on a file opened in text mode: a carriage return and line feed pair is
// one line end that counts as one character, a lone carriage return is a character of its
// line, and a line longer than kMaxLineLength comes out as several pieces, so memory never
// grows with the line or the file.

#include "FirmwareFormat.h"

#include <array>
#include <iosfwd>
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

    explicit LineReader(std::istream& in) : in_(in) {}

    // False at the end of the stream. The text stays valid until the next call.
    bool next(Line& line);

private:
    std::istream& in_;
    std::array<char, kMaxLineLength> buffer_{};
};

}  // namespace firmware
