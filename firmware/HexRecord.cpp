// Hex digits and the text form of a record.

#include "FirmwareFormat.h"

namespace firmware {

int HexDigitValue(char c)
{
    // The device's own rule: no check, so any character maps to some 0..15.
    const int code = static_cast<unsigned char>(c);
    return (code >= 0x40 ? code - 55 : code - 48) & 0x0F;
}

std::string FormatRecordLine(const EepromRecord& record)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line;
    line.reserve(1 + 2 * record.size());
    line.push_back(':');
    for (const std::uint8_t byte : record) {
        line.push_back(kDigits[byte >> 4]);
        line.push_back(kDigits[byte & 0x0F]);
    }
    return line;
}

}  // namespace firmware
