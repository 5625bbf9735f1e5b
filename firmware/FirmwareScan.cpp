// Scanning a firmware file for its signature and its EEPROM records.

#include "FirmwareFormat.h"
#include "LineReader.h"

#include <istream>

namespace firmware {

namespace {

// A record too short to hold all eight words reads its missing digits as 0.
int DigitAt(std::string_view line, std::size_t position)
{
    return position < line.size() ? HexDigitValue(line[position]) : 0;
}

void GatherEepromBytes(std::string_view line, FirmwareScan& scan)
{
    // Past a full block nothing more is stored and the count only says "too many".
    if (scan.eepromByteCount >= static_cast<int>(kBlockSize)) {
        scan.eepromByteCount = kCountAbove128;
        return;
    }
    // Each data word is the EEPROM byte (low byte, first on the line) and a high byte of 0.
    for (std::size_t word = 0; word < 8; ++word) {
        const std::size_t position = 9 + 4 * word;
        const int byte = 16 * DigitAt(line, position) + DigitAt(line, position + 1);
        scan.block[static_cast<std::size_t>(scan.eepromByteCount)] = static_cast<std::uint8_t>(byte);
        ++scan.eepromByteCount;
    }
}

}  // namespace

// The three kinds exclude one another, so the order of the tests below is free: the
// common EEPROM record goes first.
static_assert(!kSignatureRecord.starts_with(kEepromRecordPrefix) && !kEndRecord.starts_with(kEepromRecordPrefix) &&
              !kSignatureRecord.starts_with(kEndRecord) && !kEndRecord.starts_with(kSignatureRecord));

FirmwareScan ScanFirmware(std::istream& in)
{
    FirmwareScan scan;
    LineReader reader(in);
    LineReader::Line line;
    while (reader.next(line)) {
        if (line.text.starts_with(kEepromRecordPrefix))
            GatherEepromBytes(line.text, scan);
        else if (line.text.starts_with(kSignatureRecord))
            scan.signatureSeen = true;
        else if (line.text.starts_with(kEndRecord))
            break;
    }
    return scan;
}

bool IsValidScan(const FirmwareScan& scan)
{
    return scan.signatureSeen && scan.eepromByteCount == static_cast<int>(kBlockSize);
}

}  // namespace firmware
