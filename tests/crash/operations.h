// The operations that change station or output files, as the drivers of tests/crash/ run them in a
// child process: through the core where the forms do them, through vernoli-batch otherwise. Each
// starts from the folders that Seed makes: two daily stations of three records (ALPHA, BRAVO) in
// the data folder, and in the output folder an old report of ALPHA and a text file to import.
//
//   DRIVER run OPERATION DATA OUTPUT     runs a core operation in this process (RunCoreOperation)
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "model/atomicfile.h"
#include "model/calendar.h"
#include "model/linereader.h"
#include "model/station.h"
#include "stations/catalog.h"
#include "stations/newstation.h"
#include "stations/rangeupdate.h"
#include "stations/stationupdate.h"
#include "workspace/run.h"
#include "workspace/session.h"

namespace vernoli::drivers {

namespace fs = std::filesystem;

using CoreOperation = std::function<Status(const std::string& data, const std::string& output)>;

inline constexpr const char* kAlphaDta =
    "        Nr       101       103       201       203       301       401       501\r\n"
    "         1      31.2      18.4      85.0      40.0      2.10     11.30    -999.0\r\n"
    "         2    -999.0    -999.0      80.0      35.0      3.40     10.80    -999.0\r\n"
    "         3      29.8      17.1      90.0      45.0      1.75   -999.00    -999.0\r\n";

// The bytes of a regular file ("" for anything else; a named pipe is never opened).
inline std::string ReadAll(const fs::path& path) {
  std::string bytes;
  std::error_code error;
  if (!fs::is_regular_file(fs::status(path, error))) return bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
      bytes.append(buffer, got);
    }
    std::fclose(file);
  }
  return bytes;
}

inline void WriteAll(const fs::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::exit(3);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// Two daily stations of three records.
inline void Seed(const fs::path& data, const fs::path& output) {
  fs::remove_all(data);
  fs::remove_all(output);
  fs::create_directories(data);
  fs::create_directories(output);
  for (const char* name : {"ALPHA", "BRAVO"}) {
    RepClimateFile station = NewStation();
    SetStationFiles(station, data.string() + "/", name);
    station.StationName = name;
    station.Country = "Testland";
    station.Latitude = 41.9;
    station.Longitude = -3.68;
    station.Altitude = 100;
    SetSpan(station, kDaily, {1, 7, 2001}, {3, 7, 2001});
    if (!WriteStationDescription(station)) std::exit(3);
    WriteAll(data / (std::string(name) + ".DTA"), kAlphaDta);
  }
  WriteAll(output / "ALPHA.REP", "an old report\r\n");
  // A text file to import: Tmax, Tmin and sunshine of twelve months.
  std::string months;
  for (int month = 1; month <= 12; ++month) {
    months += std::to_string(10 + month) + " " + std::to_string(month) + " 5.5\r\n";
  }
  WriteAll(output / "IMPORTED.CXT", months);
  // A delimited export of four days, one of them absent and one too hot for the limits.
  WriteAll(output / "DAILY.csv",
           "date,tmax,tmin,sun\r\n2001-07-01,31.5,18.0,11.2\r\n2001-07-02,47.0,20.5,12.0\r\n"
           "2001-07-04,29.0,NA,9.5\r\n");
}

// The station ALPHA as a selection reads it. A station that cannot be read ends the operation
// with its message, as the forms show it.
inline RepClimateFile Alpha(const std::string& data) {
  RepClimateFile station;
  if (Status s = ChooseStation(data, "ALPHA", OutputNameRule::SetToFileName, station); !s) {
    std::fprintf(stderr, "%s\n", s.Message.c_str());
    std::exit(1);
  }
  return station;
}

inline Status Export(const std::string& data, const std::string& output, OutputKind kind) {
  WorkspaceSession session;
  if (Status s = session.Open(Alpha(data)); !s) return s;
  ExportRequest request;
  request.Kind = kind;
  request.OutputFolder = output + "/";
  request.Name = "ALPHA";
  request.Description = "exported";
  RunResult run = ExportFile(session.Station(), session.Data(), request);
  if (run && kind == OutputKind::EToFile) {
    request.Kind = OutputKind::TemperatureFile;
    run = ExportFile(session.Station(), session.Data(), request);
  }
  session.Close();
  return run.Outcome;
}

// The operations done through the core, as the forms do them.
inline const std::map<std::string, CoreOperation>& CoreOperations() {
  static const std::map<std::string, CoreOperation> operations = {
      {"create",
       [](const std::string& data, const std::string&) {
         NewStationInput input;
         input.Name = "NEWONE";
         input.StationName = "New one";
         const CreateResult made = CreateStation(data, input);
         return made.Created() ? Status::Success() : Status{false, made.Message};
       }},
      {"copy",
       [](const std::string& data, const std::string&) {
         const CreateResult made = CopyStation(data, Alpha(data), "COPY", "Copied", "Here");
         return made.Created() ? Status::Success() : Status{false, made.Message};
       }},
      {"station-update",
       [](const std::string& data, const std::string&) {
         RepClimateFile open = Alpha(data);
         StationUpdate update(open);
         update.EnterAltitude("250");
         return update.Save("Alpha renamed", "Elsewhere", open);
       }},
      {"range-update",
       [](const std::string& data, const std::string&) {
         RepClimateFile open = Alpha(data);
         RangeUpdate range(open);
         range.ExpandEnd(RangeStep::DayOrDecade);
         range.ShrinkBeginning(RangeStep::DayOrDecade);
         return range.Save(open);
       }},
      {"limits-save",
       [](const std::string& data, const std::string&) {
         RepClimateFile open = Alpha(data);
         open.Limits.LimitTmax = 50;
         return WriteStationDescription(open);
       }},
      {"delete",
       [](const std::string& data, const std::string&) {
         RepClimateFile selected;
         return DeleteStation(data, "ALPHA", selected).Result;
       }},
      {"save",
       [](const std::string& data, const std::string&) {
         WorkspaceSession session;
         if (Status s = session.Open(Alpha(data)); !s) return s;
         session.SetCellText(1, 0, "25.0");
         session.LeaveCell(1, 0);
         SettingOutcome outcome;
         if (Status s = session.ReadSetting(SettingEdit::HargreavesCoefficient, "0.19", outcome);
             !s) {
           return s;
         }
         Status saved = session.Save();
         session.Close();
         return saved;
       }},
      {"export-report",
       [](const std::string& data, const std::string& output) {
         return Export(data, output, OutputKind::Report);
       }},
      {"export-crop-files",
       [](const std::string& data, const std::string& output) {
         return Export(data, output, OutputKind::EToFile);
       }},
  };
  return operations;
}

struct Operation {
  std::string Name;
  std::vector<std::string> BatchArgs;  // empty: done through the core
  bool RunsTwice;                      // running it again on its own result gives that result
};

inline const std::vector<Operation>& Operations() {
  static const std::vector<Operation> operations = {
      {"create", {}, false},
      {"copy", {}, false},
      {"station-update", {}, true},
      {"range-update", {}, false},
      {"limits-save", {}, true},
      {"delete", {}, false},
      {"save", {}, true},
      {"export-report", {}, true},
      {"export-crop-files", {}, true},
      {"batch-recompute", {"recompute", "ALPHA"}, true},
      {"batch-report", {"report", "ALPHA", "--columns", "nr,date,data,results"}, true},
      {"batch-crop-files", {"crop-files", "ALPHA"}, true},
      {"batch-import",
       {"import", "@output/IMPORTED.CXT", "--name", "IMPORTED", "--columns", "101,103,401",
        "--type", "monthly", "--not-linked", "--station", "Imported"},
       false},
      {"batch-import-delimited",
       {"import", "@output/DAILY.csv", "--name", "DELIMITED", "--columns",
        "tmax=101,tmin=103,sun=401", "--latitude", "41.9", "--beyond-limits", "clip",
        "--station", "Delimited"},
       false},
  };
  return operations;
}

// The command line of the child that runs `op`: this driver (`self`) for a core operation,
// vernoli-batch (`batch`) otherwise. "@output/" in an argument stands for the output folder.
inline std::vector<std::string> ChildArguments(const Operation& op, const std::string& self,
                                               const std::string& batch, const fs::path& data,
                                               const fs::path& output) {
  if (op.BatchArgs.empty()) return {self, "run", op.Name, data.string(), output.string()};
  std::vector<std::string> args = {batch, "--data", data.string()};
  const std::string& command = op.BatchArgs.front();
  if (command != "recompute" && command != "import" && command != "results") {
    args.insert(args.end(), {"--output", output.string()});
  }
  for (const std::string& arg : op.BatchArgs) {
    args.push_back(arg.rfind("@output/", 0) == 0 ? (output / arg.substr(8)).string() : arg);
  }
  return args;
}

// The child's side of `DRIVER run OPERATION DATA OUTPUT`: the exit status (0 done, 1 refused
// with its message on standard error, 2 no such operation).
inline int RunCoreOperation(const std::map<std::string, CoreOperation>& operations,
                            const std::string& name, const std::string& data,
                            const std::string& output) {
  const auto op = operations.find(name);
  if (op == operations.end()) return 2;
  const Status s = op->second(data + "/", output);
  if (!s) std::fprintf(stderr, "%s\n", s.Message.c_str());
  return s ? 0 : 1;
}

}  // namespace vernoli::drivers
