// Speed and peak memory of reading a delimited export: daily data in the form a weather service
// writes it (a commented preamble, a header, comma-separated lines with a station number, a
// packed date and values in tenths), one year and then every day from 1 January 1902 to
// 31 December 2099 (72,319 lines). The peak resident size of the process (getrusage) is reported
// after each; the year runs first, so the difference to the large file shows whether memory
// grows with the number of lines (it holds only the values, 8 bytes each, never the text).
//
// The files are written under $VERNOLI_BENCH_DIR, or the system's temporary folder.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "import/delimited.h"

namespace vernoli {
namespace {

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

std::string BenchFile(int lines) {
  const char* chosen = std::getenv("VERNOLI_BENCH_DIR");
  const std::filesystem::path base =
      chosen != nullptr ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path();
  const std::filesystem::path folder =
      base / ("vernoli-delimited-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string path = (folder / ("daily" + std::to_string(lines) + ".txt")).string();

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
  std::filesystem::remove(path);
}

// One year first, then the largest file.
BENCHMARK(BM_ReadDelimitedFile)->Arg(365)->Arg(72319)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vernoli

BENCHMARK_MAIN();
