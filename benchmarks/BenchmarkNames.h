#pragma once

// Names the benchmarks are registered under; the summary finds their figures by them.

#include <string>

namespace names {

inline const std::string kScan = "ScanFirmware/";
inline const std::string kFloor = "ReadLinesFloor/";
inline const std::string kRealSize = "real_size";
inline const std::string kLarge = "large_50MB";
inline const std::string kLoad = "LoadFirmwareFile/real_size";
inline const std::string kSave = "SaveFirmwareFile/real_size";
inline const std::string kPeakRssGrowth = "peak_rss_growth_kB";

}  // namespace names
