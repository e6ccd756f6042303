// The run over stations longer than one block of records: each record as the per-record driver
// computes it, in its order, and a refusal after the records before it were handed on.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/record.h"
#include "model/numbers.h"
#include "model/stationcodes.h"
#include "station_files.h"
#include "workspace/run.h"
#include "workspace/workingdata.h"

namespace vernoli {
namespace {

using test_support::ScratchFolder;
using test_support::WriteStation;

// 600 days from 1 January 2003: several whole blocks of records and part of another. Tmax,
// Tmin, RHmean, wind and Rs, each missing now and then. Record `shortLine` (1-based) lacks its
// last field, record `implausible` has a Tmax of 70 degC.
std::string LongDta(int records, int shortLine = 0, int implausible = 0) {
  std::string dta = "        Nr       101       103       202       301       421       501\r\n";
  for (int k = 1; k <= records; ++k) {
    const auto field = [](double value, int decimals) { return FormatReal(value, 10, decimals); };
    const double season = (k % 365) / 365.0;
    dta += FormatInt(k, 10) +
           field(k == implausible ? 70 : k % 17 == 0 ? -999 : 12 + 14 * season, 1) +
           field(k % 23 == 0 ? -999 : 3 + 9 * season, 1) +
           field(k % 5 == 0 ? -999 : 55 + k % 40, 0) +
           field(k % 7 == 0 ? -999 : 0.4 + k % 9 * 0.5, 1) +
           field(k % 3 == 0 ? -999 : 2 + k % 5, 1);
    if (k != shortLine) dta += field(-999, 1);
    dta += "\r\n";
  }
  return dta;
}

TEST(RunInBlocks, EveryRecordAsThePerRecordDriverComputesIt) {
  ScratchFolder data;
  RepClimateFile station = WriteStation(data.Folder(), "LONG", kDaily, {1, 1, 2003},
                                        {23, 8, 2004}, LongDta(600));
  SortParameterCodes(station);
  WorkingData working;
  ASSERT_TRUE(LoadWorkingData(station, working));
  ASSERT_EQ(working.Records.size(), 600u);

  std::vector<int32_t> numbers;
  const RunResult run = RunOverDataFile(station, [&](int32_t number, const RecordRun& record) {
    const std::size_t k = numbers.size();
    numbers.push_back(number);
    RecordResults expected;
    const double eto = ComputeRecord(DayOfYearForRecord(station, static_cast<int32_t>(k)),
                                     working.Records[k], station, expected);
    EXPECT_EQ(record.ETo(), eto) << "record " << number;
    EXPECT_EQ(record.Results().RsStar, expected.RsStar) << "record " << number;
    EXPECT_EQ(record.Results().EToBC, expected.EToBC) << "record " << number;
    EXPECT_EQ(record.Values()[0], working.Records[k][Row::Tmax]) << "record " << number;
    return Status::Success();
  });
  ASSERT_TRUE(run) << run.Outcome.Message;
  EXPECT_EQ(run.Records, 600);
  ASSERT_EQ(numbers.size(), 600u);
  for (int32_t k = 0; k < 600; ++k) ASSERT_EQ(numbers[static_cast<std::size_t>(k)], k + 1);

  // The run over the working data writes the same file as the run straight over the data file.
  ASSERT_TRUE(RunCalculation(station, working));
  const std::string throughWorkingData = test_support::ReadBytes(station.DtaFileName);
  ASSERT_TRUE(RecomputeDataFile(station));
  EXPECT_EQ(test_support::ReadBytes(station.DtaFileName), throughWorkingData);
}

TEST(RunInBlocks, ARefusedLineComesAfterEveryRecordBeforeIt) {
  ScratchFolder data;
  // A line the reader refuses, and a value the check refuses.
  for (const auto& [dta, refused] : {std::pair{LongDta(600, 300), 300},
                                     std::pair{LongDta(600, 0, 280), 280}}) {
    RepClimateFile station = WriteStation(data.Folder(), "LONG", kDaily, {1, 1, 2003},
                                          {23, 8, 2004}, dta);
    SortParameterCodes(station);
    int32_t handed = 0;
    const RunResult run = RunOverDataFile(station, [&](int32_t number, const RecordRun&) {
      EXPECT_EQ(number, handed + 1);
      ++handed;
      return Status::Success();
    });
    EXPECT_FALSE(run);
    EXPECT_NE(run.Outcome.Message.find("line " + std::to_string(refused + 1)), std::string::npos)
        << run.Outcome.Message;
    EXPECT_EQ(handed, refused - 1);
  }

  const std::string dta = LongDta(600, 300);
  RepClimateFile station = WriteStation(data.Folder(), "LONG", kDaily, {1, 1, 2003},
                                        {23, 8, 2004}, dta);
  SortParameterCodes(station);
  // A refusal of the receiver stops the run at its record.
  int32_t handed = 0;
  const RunResult stopped = RunOverDataFile(station, [&](int32_t number, const RecordRun&) {
    ++handed;
    return number == 260 ? Status::Error("stop") : Status::Success();
  });
  EXPECT_EQ(stopped.Outcome.Message, "ERROR:\nstop");
  EXPECT_EQ(handed, 260);
  EXPECT_FALSE(RecomputeDataFile(station));
  EXPECT_EQ(test_support::ReadBytes(station.DtaFileName), dta);
}

}  // namespace
}  // namespace vernoli
