// The stations of the benchmarks: daily data from 1 January 1902 over a number of years (198
// years, to 31 December 2099, is the largest station the program allows: 72,319 records) with
// Tmax, Tmin, RHmax, RHmin, wind and sunshine, written under $VERNOLI_BENCH_DIR or the system's
// temporary folder. The same files on every run.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/atomicfile.h"
#include "model/datafile.h"
#include "model/station.h"

namespace vernoli::bench {

inline constexpr int16_t kBenchCodes[] = {101, 103, 201, 203, 301, 401, 501};
inline constexpr int kLargestYears = 198;

inline std::string BenchFolder() {
  const char* chosen = std::getenv("VERNOLI_BENCH_DIR");
  const std::filesystem::path base =
      chosen != nullptr ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path();
  const std::filesystem::path folder = base / ("vernoli-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder.string() + "/";
}

// A plausible daily record k, in the units of kBenchCodes.
inline std::vector<double> DailyValues(int32_t k) {
  const double season = static_cast<double>(k % 365) / 365.0;
  const double wave = season < 0.5 ? season : 1.0 - season;  // 0 .. 0.5 .. 0
  const double noise = static_cast<double>((k * 7919) % 101) / 100.0;
  std::vector<double> values{
      12.0 + 36.0 * wave + 3.0 * noise,  // Tmax
      2.0 + 30.0 * wave + 2.0 * noise,   // Tmin
      70.0 + 25.0 * noise,               // RHmax
      25.0 + 30.0 * noise,               // RHmin
      0.8 + 4.0 * noise,                 // wind
      4.0 + 16.0 * wave * noise,         // sunshine
      -999.0,                            // ETo
  };
  if (k % 97 == 0) values[static_cast<std::size_t>(k % 6)] = -999.0;
  return values;
}

// The station NAME in `folder`: daily from 1 January 1902 over `years` years.
inline RepClimateFile MakeStation(const std::string& folder, const std::string& name, int years) {
  RepClimateFile station = NewStation();
  SetStationFiles(station, folder, name);
  station.StationName = name;
  station.Latitude = 41.9;
  station.Altitude = 100;
  station.DataType = kDaily;
  station.FromDay = 1;
  station.FromMonth = 1;
  station.FromYear = 1902;
  station.ToDay = 31;
  station.ToMonth = 12;
  station.ToYear = 1902 + years - 1;
  (void)WriteStationDescription(station);
  (void)ReadStationDescription(station);
  AtomicFile dta(station.DtaFileName);
  WriteDataHeader(dta, kBenchCodes);
  for (int32_t n = 1; n <= station.NumberOfRecords; ++n) {
    WriteDataRecord(dta, n, DailyValues(n - 1), kBenchCodes);
  }
  (void)dta.Commit();
  (void)ReadParameterCodes(station);
  return station;
}

// A scratch folder with the stations made so far, by number of years; removed at the end.
struct Fixture {
  std::string Folder = BenchFolder();
  std::map<int, RepClimateFile> Stations;

  const RepClimateFile& Station(int years) {
    auto it = Stations.find(years);
    if (it == Stations.end()) {
      it = Stations.emplace(years, MakeStation(Folder, "Y" + std::to_string(years), years)).first;
    }
    return it->second;
  }
  ~Fixture() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
};

inline Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

}  // namespace vernoli::bench
