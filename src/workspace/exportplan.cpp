#include "workspace/exportplan.h"

#include <algorithm>
#include <optional>

#include "model/datafile.h"
#include "model/folders.h"
#include "model/stationcodes.h"
#include "workspace/run.h"

namespace vernoli {

namespace {

// Position of `code` in `codes`, or -1.
int ColumnOf(std::span<const int16_t> codes, int code) {
  const auto it = std::find(codes.begin(), codes.end(), code);
  return it == codes.end() ? -1 : static_cast<int>(it - codes.begin());
}

// Runs `series` through a gap filler that writes nothing and answers every question with a
// stand-in value: what it is asked depends on where the gaps are, not on the values given.
void CollectQuestions(const char* parameter, bool celsius, const std::vector<double>& series,
                      std::vector<BoundaryRequest>& asked) {
  const BoundaryValueSource note = [&asked](const BoundaryRequest& request) {
    asked.push_back(request);
    return std::optional<double>(0.0);
  };
  GapFiller filler(BoundaryRequest{parameter, true, celsius}, note, [](double) {});
  for (double value : series) filler.Add(value);
  filler.Finish();
}

}  // namespace

std::vector<BoundaryRequest> BoundaryQuestions(const RepClimateFile& station,
                                               const WorkingData& data, OutputKind kind,
                                               bool fahrenheit) {
  std::vector<BoundaryRequest> asked;
  if (kind == OutputKind::Report) return asked;
  const std::span<const int16_t> codes = StationCodes(station);
  if (codes.empty() || codes.back() != kEToParameterCode) return asked;
  RecordRun run(station);

  if (kind == OutputKind::EToFile) {
    std::vector<double> eto;
    eto.reserve(data.Records.size());
    for (std::size_t k = 0; k < data.Records.size(); ++k) {
      run.SelectRecord(data.Records, static_cast<int32_t>(k));
      eto.push_back(run.ETo());
    }
    CollectQuestions("ETo", true, eto, asked);
    return asked;
  }

  const int tminColumn = ColumnOf(codes, fahrenheit ? 113 : 103);
  const int tmaxColumn = ColumnOf(codes, fahrenheit ? 111 : 101);
  if (tminColumn < 0 || tmaxColumn < 0) return asked;
  // The temperature file is made from the data file the run has just written: each value as
  // its line holds it, read back as the file's reader reads it.
  std::vector<double> tmin;
  std::vector<double> tmax;
  std::string line;
  DataRecord record;
  for (std::size_t k = 0; k < data.Records.size(); ++k) {
    run.SelectRecord(data.Records, static_cast<int32_t>(k));
    run.DataLine(data.Numbers[k], line);
    if (!ReadDataRecord(line, static_cast<int>(codes.size()), station.DtaFileName, 0, record)) {
      continue;
    }
    tmin.push_back(record.Values[static_cast<std::size_t>(tminColumn)]);
    tmax.push_back(record.Values[static_cast<std::size_t>(tmaxColumn)]);
  }
  CollectQuestions("Tmin", !fahrenheit, tmin, asked);
  CollectQuestions("Tmax", !fahrenheit, tmax, asked);
  return asked;
}

void BoundaryAnswers::Give(const BoundaryRequest& request, double value) {
  answers_.push_back(Answer{request.Parameter, request.First, value});
}

const BoundaryAnswers::Answer* BoundaryAnswers::Find(const std::vector<Answer>& answers,
                                                     const BoundaryRequest& request) {
  for (const Answer& answer : answers) {
    if (answer.Parameter == request.Parameter && answer.First == request.First) return &answer;
  }
  return nullptr;
}

bool BoundaryAnswers::Cover(const std::vector<BoundaryRequest>& questions) const {
  return std::all_of(questions.begin(), questions.end(), [this](const BoundaryRequest& question) {
    return Find(answers_, question) != nullptr;
  });
}

BoundaryValueSource BoundaryAnswers::Source() const {
  return [answers = answers_](const BoundaryRequest& request) -> std::optional<double> {
    const Answer* answer = Find(answers, request);
    if (answer == nullptr) return std::nullopt;
    return answer->Value;
  };
}

std::string OpeningOutputFolder(const std::string& chosen, const std::string& reportFolder) {
  if (!chosen.empty() && CheckFolder(chosen, "output folder")) return chosen;
  return reportFolder;
}

}  // namespace vernoli
