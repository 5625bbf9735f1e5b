#include "LineReader.h"

#include <istream>

namespace firmware {

bool LineReader::next(Line& line)
{
    in_.getline(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    const auto extracted = static_cast<std::size_t>(in_.gcount());
    if (extracted == 0 && in_.fail())
        return false;

    std::size_t length = extracted;
    bool continues = false;
    if (in_.eof()) {
        // Last line, without a line end.
    } else if (in_.fail()) {
        // The buffer filled before a line feed: the rest is the next piece. getline marks
        // that as failure; clearing it lets the next call go on reading.
        in_.clear(in_.rdstate() & ~std::ios::failbit);
        continues = true;
    } else {
        --length;  // getline counted the line feed it discarded
    }

    if (!continues && length > 0 && buffer_[length - 1] == '\r')
        --length;

    line.text = std::string_view(buffer_.data(), length);
    line.continues = continues;
    return true;
}

}  // namespace firmware
