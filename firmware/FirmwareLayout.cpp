#include "FirmwareLayout.h"

#include "LineReader.h"

#include <istream>
#include <ostream>

namespace firmware {

namespace {

// Keeps track of whether the output stands at the start of a line, since a source line
// longer than the read buffer arrives in pieces that must be joined again.
class LineWriter {
public:
    explicit LineWriter(std::ostream& out) : out_(out) {}

    void copy(const LineReader::Line& line)
    {
        out_.write(line.text.data(), static_cast<std::streamsize>(line.text.size()));
        if (line.continues)
            atLineStart_ = false;
        else
            endLine();
    }

    // Ends a line left open by a copied piece, so that what follows starts a line of its own.
    void breakLine()
    {
        if (!atLineStart_)
            endLine();
    }

    void writeRecords(const EepromRecords& records)
    {
        breakLine();
        for (const EepromRecord& record : records) {
            out_ << FormatRecordLine(record);
            endLine();
        }
    }

    void writeEndRecord()
    {
        breakLine();
        out_ << kEndRecord;
    }

private:
    void endLine()
    {
        out_ << kLineEnd;
        atLineStart_ = true;
    }

    std::ostream& out_;
    bool atLineStart_ = true;
};

bool IsEndRecord(const LineReader::Line& line)
{
    return line.text.starts_with(kEndRecord);
}

bool IsEepromRecord(const LineReader::Line& line)
{
    return line.text.starts_with(kEepromRecordPrefix);
}

}  // namespace

void WriteFirmwareLayout(std::istream& source, const EepromRecords& records, std::ostream& out)
{
    LineReader reader(source);
    LineWriter writer(out);
    LineReader::Line line;

    bool inEepromPart = false;
    while (reader.next(line) && !IsEndRecord(line)) {
        if (IsEepromRecord(line)) {
            writer.breakLine();
            if (!inEepromPart)
                writer.writeRecords(records);
            inEepromPart = true;
        } else {
            writer.copy(line);
        }
    }
    if (!inEepromPart)
        writer.writeRecords(records);
    writer.writeEndRecord();
}

}  // namespace firmware
