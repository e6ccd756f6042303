// Speed and peak memory of the import of the largest text file the program takes: daily data
// from 1 January 1902 to 31 December 2099 (72,319 lines) with six columns (Tmax, Tmin, RHmax,
// RHmin, wind, sunshine). Times the scan alone and the whole import as the form runs it (scan,
// column codes, the checks and the new .DSC/.DTA). The peak resident size of the process
// (getrusage) is reported after each; a file of one year runs first, so that its figure shows
// the memory of a small import and the difference to the large one shows whether memory grows
// with the number of lines.
//
// The files are written under $VERNOLI_BENCH_DIR, or the system's temporary folder.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "import/session.h"
#include "model/parameters.h"

namespace vernoli {
namespace {

constexpr int kCodes[] = {101, 103, 201, 203, 301, 401};

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

std::string BenchFolder(const std::string& name) {
  const char* chosen = std::getenv("VERNOLI_BENCH_DIR");
  const std::filesystem::path base =
      chosen != nullptr ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path();
  const std::filesystem::path folder =
      base / ("vernoli-import-bench-" + std::to_string(::getpid())) / name;
  std::filesystem::create_directories(folder);
  return folder.string() + "/";
}

// The text file of `lines` daily records, written line by line (no randomness).
std::string WriteTextFile(int lines) {
  const std::string folder = BenchFolder("in" + std::to_string(lines));
  const std::string path = folder + "DAILY.CXT";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  for (int k = 0; k < lines; ++k) {
    const double season = static_cast<double>(k % 365) / 365.0;
    const double wave = season < 0.5 ? season : 1.0 - season;
    const double noise = static_cast<double>((k * 7919) % 101) / 100.0;
    std::fprintf(file, "%6.1f %6.1f %6.1f %6.1f %6.2f %6.2f\r\n", 12.0 + 36.0 * wave + 3.0 * noise,
                 2.0 + 30.0 * wave + 2.0 * noise, 70.0 + 25.0 * noise, 25.0 + 30.0 * noise,
                 0.8 + 4.0 * noise, 2.0 + 8.0 * wave * noise);
  }
  std::fclose(file);
  return folder;
}

// The import session on the file, with its span and codes, ready for "Import".
void Prepare(ImportSession& session, int lastYear) {
  session.ChooseFile("DAILY.CXT");
  session.EnterYear(SpanEnd::Last, std::to_string(lastYear));
  session.EnterYear(SpanEnd::First, lastYear == 2099 ? "1902" : std::to_string(lastYear));
  for (int c = 0; c < 6; ++c) {
    session.SelectColumn(c);
    session.ChooseCode(RowOfCode(kCodes[c]));
  }
}

void BM_ScanTextFile(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::string folder = WriteTextFile(lines);
  for (auto _ : state) {
    const ScanResult scan = ScanImportFile(folder + "DAILY.CXT", ImportKind::Text, -999.0);
    if (!scan.Ok() || scan.Lines != lines) state.SkipWithError("scan failed");
    benchmark::DoNotOptimize(scan);
  }
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
  state.SetItemsProcessed(state.iterations() * lines);
}

void BM_ImportTextFile(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const int lastYear = lines == 72319 ? 2099 : 2005;
  const std::string folder = WriteTextFile(lines);
  const std::string data = BenchFolder("data" + std::to_string(lines));
  int run = 0;
  for (auto _ : state) {
    ImportSession session(folder);
    Prepare(session, lastYear);
    const ImportResult result = session.Import(data, "S" + std::to_string(run++));
    if (!result.Imported()) state.SkipWithError(result.Message.c_str());
  }
  state.counters["peak_rss_MB"] = PeakResidentMegabytes();
  state.SetItemsProcessed(state.iterations() * lines);
  std::filesystem::remove_all(data);
}

// One year first, then the largest file.
BENCHMARK(BM_ScanTextFile)->Arg(365)->Arg(72319)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportTextFile)->Arg(365)->Arg(72319)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vernoli

BENCHMARK_MAIN();
