// libFuzzer entry point over the firmware format: the scan of any text, and the decode,
// encode, write and scan-again road of the input's first 128 bytes as a block. A broken
// guarantee aborts, so that the fuzzer keeps the input.

#include "FirmwareFormat.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    using namespace firmware;
    const auto require = [](bool holds) { holds ? void() : std::abort(); };
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const FirmwareScan scan = ScanFirmware(in);
    const int count = scan.eepromByteCount;  // 0 to 128 in eights, or 129; unfilled bytes 0
    require(count >= 0 && count <= kCountAbove128 && (count % 8 == 0 || count == kCountAbove128));
    require(std::all_of(scan.block.begin() + std::min(count, 128), scan.block.end(), [](int b) { return b == 0; }));
    ConfigBlock block{};
    std::copy_n(data, std::min(size, block.size()), block.begin());
    const GeneratorSettings s = DecodeBlock(block);  // in range; encoded and written, reads back the same
    const std::string texts = s.slidingText + s.fixedText;
    require(s.slidingText.size() <= 112 && s.fixedText.size() <= 6 && (s.frame & ~15) == 0 && unsigned(s.speed) <= 2 &&
            ((s.slidingHeight | s.fixedHeight) & ~3) == 0 && ((s.slidingColour | s.fixedColour) & ~7) == 0 &&
            std::all_of(texts.begin(), texts.end(), [](unsigned char c) { return c >= 0x20 && c <= 0x7F; }));
    std::string file(kSignatureRecord);
    for (const EepromRecord& record : EncodeEepromRecords(s))
        file += "\r\n" + FormatRecordLine(record);
    std::istringstream written(file);
    const FirmwareScan reread = ScanFirmware(written);
    require(IsValidScan(reread) && DecodeBlock(reread.block) == s);
    return 0;
}
