// Loading a firmware file: open, scan, close, test, decode.

#include "FdInputBuffer.h"
#include "FileDescriptor.h"
#include "FirmwareFile.h"

#include <istream>

namespace firmware {

LoadResult LoadFirmwareFile(const std::string& path)
{
    LoadResult result;
    FirmwareScan scan;
    {
        FileDescriptor file = FileDescriptor::OpenRegularForReading(path);
        if (!file.isOpen())
            return result;  // NotOpened
        FdInputBuffer buffer(file.get());
        std::istream in(&buffer);
        scan = ScanFirmware(in);
        // A read error partway through leaves a partial scan, which must not pass as the file.
        if (buffer.readFailed())
            return result;
    }
    if (!IsValidScan(scan)) {
        result.outcome = LoadOutcome::NotValid;
        return result;
    }
    result.outcome = LoadOutcome::Valid;
    result.settings = DecodeBlock(scan.block);
    return result;
}

}  // namespace firmware
