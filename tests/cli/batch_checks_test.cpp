// What vernoli-batch refuses in the files and folders it is given, and the files it may hold open.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <future>
#include <set>
#include <string>

#include "../workspace/station_files.h"
#include "batch_fixture.h"
#include "cli/commands.h"
#include "model/atomicfile.h"
#include "model/numbers.h"

namespace vernoli {
namespace {

using test_support::ReadBytes;
using test_support::WriteBytes;
using test_support::WriteStation;

class BatchChecksTest : public test_support::BatchFixture {};

// ---------------------------------------------------------------------------------------------
// Folders

// With XDG_DATA_HOME naming a file, the data folder beyond it was said not to exist.
TEST_F(BatchChecksTest, ADataFolderBeyondAFileNamesTheFile) {
  WriteBytes(data_.File("xdg"), "a file");
  ProgramFolders folders = Folders();
  folders.Data = data_.File("xdg") + "/Vernoli/DATA/";
  EXPECT_EQ(RunBatch({"recompute", "--all"}, out_, err_, folders), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\ndata folder " + folders.Data + " cannot be a folder: " +
                            data_.File("xdg") + " is a file, not a folder\n");
}

// ---------------------------------------------------------------------------------------------
// Names found in the data folder

// A file named "Q", a line break, "ERROR:", a line break and "forged failure of DEBILT.DSC" put
// a failure of DEBILT into the messages of recompute --all, for anyone who reads the line after
// each "ERROR:"; a name with an escape sequence reached the terminal.
TEST_F(BatchChecksTest, RecomputeAllHoldsANameOfTheFolderToTheRuleOfTheCommandLine) {
  Station("DEBILT");
  const std::string forged = "Q\nERROR:\nforged failure of DEBILT";
  const std::string escape = "\x1b[2J\x1b]0;owned\x07";
  for (const std::string& name : {forged, escape}) {
    WriteBytes(data_.File(name + ".DSC"), "not read");
    WriteBytes(data_.File(name + ".DTA"), "not read");
  }
  EXPECT_EQ(Run({"recompute", "--all"}), kBatchFailed);
  EXPECT_EQ(out_.str(), data_.Folder() + "DEBILT.DTA: ETo of 3 records recomputed\n");
  // Each reported once, quoted, on one line; both counted among the failures.
  EXPECT_EQ(err_.str(),
            "ERROR:\nillegal station name \"\\x1b[2J\\x1b]0;owned\\x07\": give the base name of a "
            "station in the data folder (file \"\\x1b[2J\\x1b]0;owned\\x07.DSC\")\n"
            "ERROR:\nillegal station name \"Q\\nERROR:\\nforged failure of DEBILT\": give the "
            "base name of a station in the data folder (file \"Q\\nERROR:\\nforged failure of "
            "DEBILT.DSC\")\n"
            "1 stations recomputed, 2 failed\n");
  const std::string err = err_.str();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 5);
  EXPECT_EQ(err.find('\x1b'), std::string::npos);
  EXPECT_EQ(ReadBytes(data_.File(forged + ".DTA")), "not read");

  // The same names on the command line are refused alike.
  EXPECT_EQ(Run({"recompute", forged}), kBatchUsageError);
  EXPECT_EQ(err_.str(), "ERROR:\nillegal station name \"Q\\nERROR:\\nforged failure of DEBILT\": "
                        "give the base name of a station in the data folder\n");
  EXPECT_EQ(Run({"results", escape}), kBatchUsageError);
  EXPECT_EQ(err_.str(), "ERROR:\nillegal station name \"\\x1b[2J\\x1b]0;owned\\x07\": give the "
                        "base name of a station in the data folder\n");
}

// ---------------------------------------------------------------------------------------------
// Values of the files

// A .DTA value of 1.7976931348623157e308 was recomputed with exit status 0 and written rounded to
// 15 digits, above the largest double, in a field of 311 characters; every later command on the
// station failed to read it. Tmax 1e15 gave an ETo of 0.0 and no message.
TEST_F(BatchChecksTest, AValueNoFieldHoldsOrTheWorkspaceWouldRefuseIsRefusedByEveryCommand) {
  const std::string largest =
      "        Nr       101       103       301       501\r\n"
      "         1      31.2      18.4      2.10    -999.0\r\n"
      "         2      30.0      17.0 1.7976931348623157e308    -999.0\r\n";
  const std::string hot =
      "        Nr       101       103       301       501\r\n"
      "         1      1e15      18.4      2.10    -999.0\r\n"
      "         2      30.0      17.0      2.00    -999.0\r\n";
  const RepClimateFile a = WriteStation(data_.Folder(), "LARGEST", kDaily, {1, 7, 2001},
                                        {2, 7, 2001}, largest);
  const RepClimateFile b =
      WriteStation(data_.Folder(), "HOT", kDaily, {1, 7, 2001}, {2, 7, 2001}, hot);
  const std::string largestRefusal =
      "ERROR:\nfile " + a.DtaFileName +
      ", line 3, column 4 (u(x), m/sec): the value 1.7976931348623157e308 lies outside its "
      "plausible range 0.00 .. 8.00 m/sec, set by the station's data limits\n";
  const std::string hotRefusal =
      "ERROR:\nfile " + b.DtaFileName +
      ", line 2, column 2 (Tmax, \xB0" "C): the value 1e15 lies outside its plausible range "
      "-15.0 .. 45.0 \xB0" "C, set by the station's data limits\n";
  for (const char* command : {"recompute", "results", "report", "crop-files"}) {
    SCOPED_TRACE(command);
    EXPECT_EQ(Run({command, "LARGEST"}), kBatchFailed);
    EXPECT_EQ(err_.str(), largestRefusal);
    EXPECT_EQ(Run({command, "HOT"}), kBatchFailed);
    EXPECT_EQ(err_.str(), hotRefusal);
    // The table on standard output ends after its header.
    const std::string out = out_.str();
    EXPECT_EQ(out.find('\n'), command == std::string("results") ? out.size() - 1 : out.npos);
  }
  EXPECT_EQ(ReadBytes(a.DtaFileName), largest);
  EXPECT_EQ(ReadBytes(b.DtaFileName), hot);
  EXPECT_TRUE(output_.Names().empty());
  EXPECT_EQ(data_.Names(), (std::set<std::string>{"HOT.DSC", "HOT.DTA", "LARGEST.DSC",
                                                  "LARGEST.DTA"}));
}

// A .DSC span from 31/2/9999 to 1/1/1 was taken; results wrote the date 9999-02-31.
TEST_F(BatchChecksTest, ASpanOutsideTheCalendarIsRefusedNamingTheLine) {
  const RepClimateFile station = Station("SPAN");
  std::string dsc = ReadBytes(station.DscFileName);
  dsc.replace(dsc.find("   1   7  2001"), 14, "  31   2  9999");
  dsc.replace(dsc.find("   3   7  2001"), 14, "   1   1     1");
  WriteBytes(station.DscFileName, dsc);
  EXPECT_EQ(Run({"results", "SPAN"}), kBatchFailed);
  EXPECT_EQ(err_.str(), "ERROR:\ninvalid date in file " + station.DscFileName +
                            ", line 7: 31/2/9999 has a year outside 1902..2099 (or 1901 for data "
                            "not linked to a year)\n");
  EXPECT_EQ(out_.str(), "");
}

// ---------------------------------------------------------------------------------------------
// Jobs and open files

TEST(RecomputeJobs, StayWithinTheFilesTheProcessMayOpen) {
  const struct {
    unsigned jobs;
    uint64_t openFiles;
    unsigned expected;
  } rows[] = {
      {4096, 1024, 252}, {8, 1024, 8}, {4096, UINT64_MAX, 4096}, {64, 19, 1}, {64, 0, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.jobs) + " jobs, " + std::to_string(row.openFiles) + " files");
    EXPECT_EQ(JobsWithinOpenFiles(row.jobs, row.openFiles), row.expected);
  }
}

// Lowers the limit of open files of the process while it lives.
class LoweredFileLimit {
 public:
  explicit LoweredFileLimit(rlim_t files) {
    ::getrlimit(RLIMIT_NOFILE, &old_);
    rlimit lowered = old_;
    lowered.rlim_cur = files;
    ::setrlimit(RLIMIT_NOFILE, &lowered);
  }
  ~LoweredFileLimit() { ::setrlimit(RLIMIT_NOFILE, &old_); }

 private:
  rlimit old_{};
};

// --jobs up to 4096 with the usual limit of 1024 open files: of 5,000 stations 3,735 failed with
// "cannot open file", which hid the cause. The same at a tenth of the scale.
TEST_F(BatchChecksTest, ManyJobsAreLoweredToWhatTheProcessMayOpenAndSaySo) {
  AtomicFile::SyncForTesting(false);
  // A year of daily records each, so that the jobs overlap.
  std::string dta(test_support::kSmallDta.substr(0, 82));
  for (int n = 1; n <= 365; ++n) {
    dta += FormatInt(n, 10) + "      21.2      11.4      85.0      40.0      2.10      3.30"
                              "    -999.0\r\n";
  }
  for (int n = 0; n < 60; ++n) {
    WriteStation(data_.Folder(), "S" + std::to_string(100 + n), kDaily, {1, 1, 2001},
                 {31, 12, 2001}, dta);
  }
  {
    const LoweredFileLimit limit(24);
    EXPECT_EQ(Run({"recompute", "--all", "--jobs", "64"}), 0);
  }
  AtomicFile::SyncForTesting(true);
  EXPECT_EQ(err_.str(),
            "vernoli-batch: --jobs 64 lowered to 2: the process may hold 24 files open at once "
            "(ulimit -n), each job up to 4\n"
            "60 stations recomputed, 0 failed\n");
  // Fewer stations than jobs: nothing to lower.
  {
    const LoweredFileLimit limit(24);
    EXPECT_EQ(Run({"recompute", "S100", "S101", "--jobs", "64"}), 0);
  }
  EXPECT_EQ(err_.str(), "2 stations recomputed, 0 failed\n");
}

// ---------------------------------------------------------------------------------------------
// An output the user names

// A named pipe or a device named for the results is written to as it is, never replaced by a
// file; a pipe that no process reads is refused after a moment rather than waited on for ever.
TEST_F(BatchChecksTest, ResultsToAPipeOrADeviceAreWrittenAsAStream) {
  Station("SMALL");
  ASSERT_EQ(Run({"results", "SMALL"}), 0) << err_.str();
  const std::string table = out_.str();

  const std::string pipe = output_.File("table.pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::future<std::string> read = std::async(std::launch::async, [&pipe] {
    std::string bytes;
    if (std::FILE* file = std::fopen(pipe.c_str(), "rb")) {
      for (int c; (c = std::fgetc(file)) != EOF;) bytes += static_cast<char>(c);
      std::fclose(file);
    }
    return bytes;
  });
  ASSERT_EQ(Run({"results", "SMALL", "--output", pipe}), 0) << err_.str();
  EXPECT_EQ(read.get(), table);
  EXPECT_EQ(out_.str(), pipe + ": results of 3 records written\n");

  ASSERT_EQ(Run({"results", "SMALL", "--output", "/dev/null"}), 0) << err_.str();
  struct stat info {};
  ASSERT_EQ(::stat("/dev/null", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));

  EXPECT_EQ(Run({"results", "SMALL", "--output", pipe}), kBatchFailed);
  EXPECT_EQ(err_.str(),
            "ERROR:\ncannot write file " + pipe + ": no process reads from this named pipe\n");
  EXPECT_EQ(output_.Names(), std::set<std::string>{"table.pipe"});
}

}  // namespace
}  // namespace vernoli
