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
    // Each data word is the EEPROM byte (low byte, first on the line) and a high byte of 0.
    for (std::size_t word = 0; word < 8; ++word) {
        const std::size_t position = 9 + 4 * word;
        const int byte = 16 * DigitAt(line, position) + DigitAt(line, position + 1);
        if (scan.eepromByteCount < static_cast<int>(kBlockSize))
            scan.block[static_cast<std::size_t>(scan.eepromByteCount)] = static_cast<std::uint8_t>(byte);
        if (scan.eepromByteCount < kCountAbove128)
            ++scan.eepromByteCount;
    }
}

}  // namespace

FirmwareScan ScanFirmware(std::istream& in)
{
    FirmwareScan scan;
    LineReader reader(in);
    LineReader::Line line;
    while (reader.next(line)) {
        if (line.text.starts_with(kSignatureRecord))
            scan.signatureSeen = true;
        if (line.text.starts_with(kEndRecord))
            break;
        if (line.text.starts_with(kEepromRecordPrefix))
            GatherEepromBytes(line.text, scan);
    }
    return scan;
}

bool IsValidScan(const FirmwareScan& scan)
{
    return scan.signatureSeen && scan.eepromByteCount == static_cast<int>(kBlockSize);
}

}  // namespace firmware
