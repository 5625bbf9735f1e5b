#pragma once

// Firmware files for the benchmarks, written once into a temporary folder of their own
// that is removed again when the object goes.

#include "FirmwareFormat.h"

#include <cstdint>
#include <filesystem>

class SampleFiles {
public:
    SampleFiles();
    ~SampleFiles();

    SampleFiles(const SampleFiles&) = delete;
    SampleFiles& operator=(const SampleFiles&) = delete;

    // About 5 KB as an assembler writes it: program, signature, the sixteen EEPROM records,
    // a configuration word and the end record.
    const std::filesystem::path& RealSize() const { return realSize_; }
    // About 50 MB of program data records and no end record, so a scan reads all of it.
    const std::filesystem::path& Large() const { return large_; }
    // An empty folder for save targets.
    const std::filesystem::path& SaveFolder() const { return saveFolder_; }

    static std::uintmax_t SizeOf(const std::filesystem::path& file);
    static firmware::EepromRecords SampleRecords();

private:
    std::filesystem::path folder_;
    std::filesystem::path realSize_;
    std::filesystem::path large_;
    std::filesystem::path saveFolder_;
};
