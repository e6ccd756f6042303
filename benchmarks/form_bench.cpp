// Speed of the workspace form itself on the largest station (72,319 daily records), as a user
// meets it: opening the form, "next >" on the data page, a new wind height typed into its edit and
// Enter, "Save data" and "Main menu". Each time includes the events the action leaves behind
// (the grid's repaint among them), on the offscreen platform unless another is chosen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <cstdlib>
#include <filesystem>

#include "app/formnavigator.h"
#include "bench_station.h"
#include "forms/workspace/TUpdateMenu.h"
#include "kit/messages.h"
#include "stations/appstate.h"

namespace vernoli {
namespace {

using bench::kLargestYears;

// A message would stop the form in a modal loop: the benchmark records it instead and fails.
class FailingMessages final : public MessageHandler {
 public:
  void ShowMessage(const QString& text) override { last = text; }
  bool AskYesNo(const QString&) override { return false; }
  QString last;
};

struct FormFixture {
  std::string Folder = bench::BenchFolder();
  FailingMessages Messages;
  AppState State = NewAppState(FoldersOfExecutable(Folder + "vernoli"));
  Forms AllForms;
  FormNavigator Navigation{AllForms, State};
  TUpdateMenu Form{State, Navigation};
  RepClimateFile Station;

  FormFixture() {
    SetMessageHandler(&Messages);
    State.DataFolder = Folder;
    AllForms.UpdateMenu = &Form;
    Station = bench::MakeStation(Folder, "LARGEST", kLargestYears);
  }
  ~FormFixture() {
    if (Form.isVisible()) Form.done(QDialog::Rejected);
    SetMessageHandler(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }

  static void Settle() { QApplication::processEvents(); }

  void Open() {
    State.Station = Station;
    Form.PrepareOpening(true);
    Form.show();
    Settle();
  }
  void Leave() {
    if (Form.isVisible()) Form.done(QDialog::Rejected);
    Settle();
  }
  void ShowData() {
    auto* pages = Form.findChild<QTabWidget*>("PageControl1");
    pages->setCurrentWidget(Form.findChild<QWidget*>("DataSheet"));
    Settle();
  }
  void Click(const char* name) {
    Form.findChild<QPushButton*>(name)->click();
    Settle();
  }
  bool Check(benchmark::State& state) {
    if (Messages.last.isEmpty()) return true;
    state.SkipWithError(Messages.last.toStdString().c_str());
    return false;
  }
};

FormFixture& Shared() {
  static FormFixture fixture;
  return fixture;
}

void BM_FormOpen(benchmark::State& state) {
  FormFixture& f = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    f.Leave();
    state.ResumeTiming();
    f.Open();
  }
  f.Leave();
  f.Check(state);
}

void BM_FormNextYear(benchmark::State& state) {
  FormFixture& f = Shared();
  f.Open();
  f.ShowData();
  auto* next = f.Form.findChild<QPushButton*>("NextYearDataButton");
  for (auto _ : state) {
    if (!next->isEnabled()) {
      state.PauseTiming();
      f.Leave();
      f.Open();
      f.ShowData();
      state.ResumeTiming();
    }
    f.Click("NextYearDataButton");
  }
  f.Check(state);
  f.Leave();
}

void BM_FormChangeSetting(benchmark::State& state) {
  FormFixture& f = Shared();
  f.Open();
  auto* edit = f.Form.findChild<QLineEdit*>("EditHeightU");
  bool high = false;
  for (auto _ : state) {
    high = !high;
    edit->setText(high ? "10" : "2");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    FormFixture::Settle();
  }
  f.Check(state);
  f.Leave();
}

void BM_FormSaveData(benchmark::State& state) {
  FormFixture& f = Shared();
  f.Open();
  f.ShowData();
  for (auto _ : state) f.Click("SaveButton");
  f.Check(state);
  f.Leave();
}

void BM_FormMainMenu(benchmark::State& state) {
  FormFixture& f = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    f.Leave();
    f.Open();
    state.ResumeTiming();
    f.Click("MainMenuButton");
  }
  f.Check(state);
  f.Leave();
}

BENCHMARK(BM_FormOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormNextYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormChangeSetting)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormSaveData)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormMainMenu)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vernoli

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
