#pragma once

// Command-line arguments as QStrings that give back their exact bytes. The shell hands over
// bytes, not text: a file name need not be UTF-8, and a refused character must be named as
// typed. Each byte from 0x80 up is kept as a code point of its own in a private-use block, so
// that Qt's parser sees plain ASCII options and our own texts keep their accents.

#include <QString>

#include <string>

namespace cli {

QString FromArgument(const char* argument);

// Escaped bytes become themselves again, every other character UTF-8.
std::string ToBytes(const QString& text);

}  // namespace cli
