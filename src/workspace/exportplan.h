// An export of the workspace asks every question before it writes anything.
//
// The crop-model files hold no missing value: a series that starts or ends with missing records
// needs its first or its last value from the user (GapFiller, workspace/outputs.h). Which values
// are needed follows from the data alone, so the workspace lists them first (BoundaryQuestions),
// asks them one after the other, and runs the export only when every one has its answer
// (BoundaryAnswers). A question left without an answer ends the export before any file, the
// station's data file included, has changed.
//
//   std::vector<BoundaryRequest> questions = BoundaryQuestions(station, data, kind, fahrenheit);
//   BoundaryAnswers answers;
//   for (const BoundaryRequest& q : questions) {
//     std::optional<double> value = ask the user (q);
//     if (!value) return;  // cancelled: nothing written
//     answers.Give(q, *value);
//   }
//   request.Boundary = answers.Source();
//   ExportFile(station, data, request);
#pragma once

#include <string>
#include <vector>

#include "limits/boundary.h"
#include "model/station.h"
#include "workspace/outputs.h"
#include "workspace/workingdata.h"

namespace vernoli {

// The boundary values that the run of an output file of `kind` over `data` asks for, in the
// order in which it asks them: for an ETo file those of the ETo series; for a temperature file
// those of the Tmin series and then of the Tmax series, as the run writes them into the data
// file and reads them back (in degF when `fahrenheit`). A report asks none, and neither does a
// temperature file that its columns refuse (CheckTemperatureColumns says why).
std::vector<BoundaryRequest> BoundaryQuestions(const RepClimateFile& station,
                                               const WorkingData& data, OutputKind kind,
                                               bool fahrenheit);

// The answers to the questions, handed to the run as its source of boundary values: a request
// gets the value given for its parameter and its end of the series; a request that was given no
// value gets none, and the run stops.
class BoundaryAnswers {
 public:
  void Give(const BoundaryRequest& request, double value);
  // True when every one of `questions` has its answer.
  bool Cover(const std::vector<BoundaryRequest>& questions) const;
  BoundaryValueSource Source() const;

 private:
  struct Answer {
    std::string Parameter;
    bool First;
    double Value;
  };
  static const Answer* Find(const std::vector<Answer>& answers, const BoundaryRequest& request);
  std::vector<Answer> answers_;
};

// The folder the export page opens on: the output folder chosen last while it is still a
// folder, else the program's report folder (`reportFolder`).
std::string OpeningOutputFolder(const std::string& chosen, const std::string& reportFolder);

}  // namespace vernoli
