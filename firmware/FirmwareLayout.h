#pragma once

// The content of a rewritten firmware file, built from its source as one stream pass.

#include "FirmwareFormat.h"

#include <iosfwd>

namespace firmware {

// Writes: the source's lines before its first EEPROM record; the sixteen records; the
// source's other lines after that up to its end record (its own EEPROM records left out);
// one end record with no line end after it. Every line end written is CRLF, and every
// record starts on a line of its own. Nothing after the source's end record is read.
void WriteFirmwareLayout(std::istream& source, const EepromRecords& records, std::ostream& out);

}  // namespace firmware
