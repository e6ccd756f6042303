// Speed and peak memory of reading a delimited export.
//
// BM_ReadDelimitedFile: daily data in the form a weather service writes it (a commented
// preamble, a header, comma-separated lines with a station number, a packed date and values in
// tenths), one year and then every day from 1 January 1902 to 31 December 2099 (72,319 lines).
// BM_ReadWideDelimitedFile: forty years of daily data (14,600 lines) of 40 columns, a date and
// 39 values, ten of them imported: the file a logger or a reanalysis export gives. Its rate is
// reported in bytes of the file per second.
//
// BM_ImportSeveralStations: `vernoli-batch import` of one file holding many stations, each 40
// years of daily data in a block of its own, with a station list: the pass that finds the
// stations, then each station read, checked and written as NAME.DSC and NAME.DTA. The file is
// 400 MB (--benchmark_filter=Several with VERNOLI_BENCH_SEVERAL_MB=20 for a short run); its
// rate is in megabytes of the file per second.
//
// The peak resident size of the process (getrusage) is reported after each; the smaller files
// run first, so the difference to the large ones shows whether memory grows with the number of
// lines (the reader holds only the imported values, 8 bytes each, never the text). The import's
// standard output is counted and dropped, as a terminal would take it.
//
// The files are written under $VERNOLI_BENCH_DIR, or the system's temporary folder.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/importbatch.h"
#include "discard.h"
#include "import/delimited.h"

namespace vernoli {
namespace {

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

std::string BenchPath(const std::string& name) {
  const char* chosen = std::getenv("VERNOLI_BENCH_DIR");
  const std::filesystem::path base =
      chosen != nullptr ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path();
  const std::filesystem::path folder =
      base / ("vernoli-delimited-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return (folder / name).string();
}

std::string BenchFile(int lines) {
  const std::string path = BenchPath("daily" + std::to_string(lines) + ".txt");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fprintf(file, "# SOURCE: a weather service\r\n# TX, TN in 0.1 degrees Celsius\r\n#\r\n");
  std::fprintf(file, "# STN,YYYYMMDD,DDVEC,FG,TX,TN,UX,UN,SQ\r\n");
  Date date{1, 1, 1902};
  for (int k = 0; k < lines; ++k) {
    const int season = k % 365 < 183 ? k % 365 : 365 - k % 365;
    const int noise = (k * 7919) % 101;
    std::fprintf(file, "  260,%04d%02d%02d,  %3d,  %3d,  %3d,  %3d,  %3d,  %3d,  %3d\r\n",
                 date.Year, date.Month, date.Day, noise * 3, noise, 50 + season + noise,
                 season - 20 + noise / 2, 80 + noise / 5, 30 + noise / 2, (season * noise) % 140);
    date = NextRecordDate(kDaily, date);
  }
  std::fclose(file);
  return path;
}

// Forty years from 1 January 1981, without the leap days: 14,600 lines of a date and 39 values
// with one or two decimals (missing now and then), the header naming them.
constexpr int kWideYears = 40;
constexpr int kWideColumns = 40;

std::string WideBenchFile() {
  const std::string path = BenchPath("wide.csv");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::fprintf(file, "date,tmax,tmin,tmean,rhmax,rhmin,rhmean,u2,sunshine,rs,rn");
  for (int c = 11; c < kWideColumns; ++c) std::fprintf(file, ",x%d", c);
  std::fprintf(file, "\r\n");
  int k = 0;
  for (int year = 1981; year < 1981 + kWideYears; ++year) {
    for (int month = 1; month <= 12; ++month) {
      const int days = month == 2 ? 28 : DaysInMonthOfYear(month, 1981);
      for (int day = 1; day <= days; ++day, ++k) {
        const int season = k % 365 < 183 ? k % 365 : 365 - k % 365;
        const int noise = (k * 7919) % 101;
        std::fprintf(file, "%04d-%02d-%02d,%.1f,%.1f,%.1f,%.1f,%.1f,%.1f,%.2f,%.2f,%.2f,%.2f",
                     year, month, day, 5.0 + season / 8.0 + noise / 20.0,
                     -2.0 + season / 10.0 + noise / 30.0, 2.0 + season / 9.0, 80.0 + noise / 6.0,
                     30.0 + noise / 3.0, 60.0 + noise / 4.0, 0.5 + noise / 40.0,
                     season / 20.0 + noise / 50.0, 2.0 + season / 8.0, 1.0 + season / 12.0);
        for (int c = 11; c < kWideColumns; ++c) {
          if ((k + c) % 97 == 0) {
            std::fprintf(file, ",");
          } else {
            std::fprintf(file, ",%.2f", (k * c % 1000) / 10.0 - 20.0);
          }
        }
        std::fprintf(file, "\r\n");
      }
    }
  }
  std::fclose(file);
  return path;
}

void BM_ReadDelimitedFile(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::string path = BenchFile(lines);
  DelimitedOptions options;
  options.Columns = {{{{5, {}}, 101, 0.1}, {{6, {}}, 103, 0.1}, {{7, {}}, 201, 1.0},
                      {{8, {}}, 203, 1.0}, {{9, {}}, 401, 0.1}}};
  for (auto _ : state) {
    const DelimitedFile file = ReadDelimitedFile(path, options);
    if (!file.Ok() || file.Records != lines) state.SkipWithError(file.Result.Message.c_str());
    benchmark::DoNotOptimize(file);
  }
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
  state.SetItemsProcessed(state.iterations() * lines);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}

void BM_ReadWideDelimitedFile(benchmark::State& state) {
  const std::string path = WideBenchFile();
  DelimitedOptions options;  // the ten columns the header names propose
  int32_t records = 0;
  for (auto _ : state) {
    const DelimitedFile file = ReadDelimitedFile(path, options);
    if (!file.Ok() || file.Series.size() != 10) state.SkipWithError(file.Result.Message.c_str());
    records = file.Records;
    benchmark::DoNotOptimize(file);
  }
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
  state.counters["records"] = records;
  state.SetItemsProcessed(state.iterations() * kWideYears * 365);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}

// The size of the file of several stations: VERNOLI_BENCH_SEVERAL_MB, else 400 MB.
int64_t SeveralStationsBytes() {
  const char* chosen = std::getenv("VERNOLI_BENCH_SEVERAL_MB");
  const long megabytes = chosen != nullptr ? std::strtol(chosen, nullptr, 10) : 400;
  return static_cast<int64_t>(megabytes > 0 ? megabytes : 400) * 1000 * 1000;
}

// Stations of 40 years of daily data each (from 1 January 1981, about 0.8 MB per station), one
// block after the other, until the file has `bytes`; the list describes every station.
int WriteSeveralStations(const std::string& path, const std::string& listPath, int64_t bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  std::FILE* list = std::fopen(listPath.c_str(), "wb");
  std::fprintf(file, "# a network's export\r\nSTN,YYYYMMDD,TX,TN,UX,UN,FG,Q\r\n");
  std::fprintf(list, "id,name,country,latitude,longitude,altitude,wind height\r\n");
  int stations = 0;
  int64_t written = 0;
  while (written < bytes) {
    const int id = 10000 + stations;
    std::fprintf(list, "%d,Station %d,Country,%.2f,%.2f,%d,10\r\n", id, id,
                 -60.0 + stations % 120, -170.0 + stations % 340, stations % 2000);
    Date date{1, 1, 1981};
    for (int k = 0; k < kWideYears * 365; ++k) {
      const int season = k % 365 < 183 ? k % 365 : 365 - k % 365;
      const int noise = (k * 7919 + stations) % 101;
      const int n = std::fprintf(file, "%d,%04d%02d%02d,%d,%d,%d,%d,%d,%d\r\n", id, date.Year,
                                 date.Month, date.Day, 50 + season + noise,
                                 season - 20 + noise / 2, 80 + noise / 5, 30 + noise / 2,
                                 20 + noise / 3, 300 + season * 3);
      written += n;
      date = NextRecordDate(kDaily, date);
    }
    ++stations;
  }
  std::fclose(file);
  std::fclose(list);
  return stations;
}

void BM_ImportSeveralStations(benchmark::State& state) {
  const std::string path = BenchPath("several.txt");
  const std::string listPath = BenchPath("stations.csv");
  const int stations = WriteSeveralStations(path, listPath, SeveralStationsBytes());
  state.counters["setup_peak_rss_MB"] = PeakResidentMegabytes();
  const std::filesystem::path data = std::filesystem::path(BenchPath("data")).string();
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(data);
    std::filesystem::create_directories(data);
    state.ResumeTiming();
    bench::DiscardingBuffer discarded;
    std::ostream out(&discarded);
    std::ostringstream err;
    const int status = RunImportBatch(
        {path, "--station-column", "STN", "--stations", listPath, "--name", "S{station}",
         "--columns", "TX=101*0.1,TN=103*0.1,UX=201,UN=203,FG=301*0.1,Q=423"},
        data.string() + "/", out, err);
    if (status != 0) state.SkipWithError(err.str().c_str());
  }
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
  state.counters["stations"] = stations;
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove_all(data);
  std::filesystem::remove(path);
  std::filesystem::remove(listPath);
}

// One year first, then the largest file; the wide file last.
BENCHMARK(BM_ReadDelimitedFile)->Arg(365)->Arg(72319)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadWideDelimitedFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportSeveralStations)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace vernoli

BENCHMARK_MAIN();
