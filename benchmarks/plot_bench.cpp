// Speed of the workspace graph on the largest station the program allows: daily data from
// 1 January 1902 to 31 December 2099 (72,319 records) with Tmax, Tmin, RHmax, RHmin, wind and
// sunshine, shown at its leap year 1904 (366 records). The graph is the energy fluxes with all
// seven series (Ra as bars, Rso, Rs, Rns, Rnl, Rn and L(ET) as lines) in a plot area of
// 1100 x 440 pixels.
//
// BM_DrawOneYear: the records of the page computed from the grid, the plot and the time strip
// drawn and painted. BM_RedrawAfterCheckedValue: a value typed into the grid and checked, then
// the same redraw. BM_PaintOnly: the painting of a drawing already made.
//
// The files are written under $VERNOLI_BENCH_DIR, or the system's temporary folder.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <vector>

#include "bench_station.h"
#include "forms/plot/graphimage.h"
#include "plot/graph.h"
#include "plot/plotoptions.h"
#include "workspace/session.h"
#include "workspace/yearpages.h"

namespace vernoli {
namespace {

constexpr int kWidth = 1100;
constexpr int kHeight = 440;
constexpr int kStripHeight = 24;

struct Fixture {
  std::string Folder = bench::BenchFolder();
  RepClimateFile Station;
  WorkspaceSession Session;
  GraphDescription Graph;

  Fixture() {
    Station = bench::MakeStation(Folder, "LARGEST", 198);
    (void)Session.Open(Station);
    (void)Session.NextYear();  // 1903
    (void)Session.NextYear();  // 1904: 366 records

    // The energy fluxes, every series checked.
    PlotOptions options =
        ActivatePlotOptions(Graph, OfferedSeries(bench::kBenchCodes), Station.Limits);
    ClickGroup(options, PlotGroup::EnergyFluxes);
    for (const PlotSeriesInfo& info : SeriesOfGroup(PlotGroup::EnergyFluxes)) {
      CheckSeries(options, info.Series, true);
    }
    BuildGraph(Graph, options, bench::kBenchCodes);
  }
  ~Fixture() {
    Session.Close();
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }

  // What the plot page does on a redraw.
  void Redraw() {
    const RepClimateFile& station = Session.Station();
    const std::vector<PlotRecord> records = PlotRecordsOfPage(station, Session.Grid());
    const QImage plot = PaintPlot(DrawGraph(Graph, records, station, kWidth, kHeight));
    const YearPage& page = Session.Page();
    const QImage time =
        PaintTimeStrip(BuildTimeStrip(station, page.First, page.Last, kWidth, kStripHeight));
    benchmark::DoNotOptimize(plot.constBits());
    benchmark::DoNotOptimize(time.constBits());
  }
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_DrawOneYear(benchmark::State& state) {
  Fixture& fixture = Shared();
  for (auto _ : state) fixture.Redraw();
  state.counters["records"] = fixture.Session.Page().Records();
  state.counters["series"] = fixture.Graph.SeriesCount;
}

void BM_RedrawAfterCheckedValue(benchmark::State& state) {
  Fixture& fixture = Shared();
  int i = 0;
  for (auto _ : state) {
    // Tmax of 1 July, typed alternately as 30.0 and 31.0, then checked.
    fixture.Session.SetCellText(182, 0, (i++ % 2) == 0 ? "30.0" : "31.0");
    const CellCheck check = fixture.Session.LeaveCell(182, 0);
    benchmark::DoNotOptimize(check.Refused);
    fixture.Redraw();
  }
}

void BM_PaintOnly(benchmark::State& state) {
  Fixture& fixture = Shared();
  const RepClimateFile& station = fixture.Session.Station();
  const std::vector<PlotRecord> records = PlotRecordsOfPage(station, fixture.Session.Grid());
  const PlotDrawing drawing = DrawGraph(fixture.Graph, records, station, kWidth, kHeight);
  for (auto _ : state) {
    const QImage plot = PaintPlot(drawing);
    benchmark::DoNotOptimize(plot.constBits());
  }
  state.counters["shapes"] = static_cast<double>(drawing.Shapes.size());
}

BENCHMARK(BM_DrawOneYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawAfterCheckedValue)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vernoli

// Painting text needs a GUI application; no window is opened.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
