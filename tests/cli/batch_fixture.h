// The fixture of the tests of vernoli-batch's commands: scratch folders as the program's data and
// report folders, and what the commands write to standard output and standard error.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "../workspace/station_files.h"
#include "cli/batch.h"

namespace vernoli::test_support {

class BatchFixture : public ::testing::Test {
 protected:
  // Runs the tool with the scratch folders as the program's data and report folders.
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    return RunBatch(args, out_, err_, Folders());
  }
  ProgramFolders Folders() const {
    ProgramFolders folders;
    folders.Data = data_.Folder();
    folders.Report = output_.Folder();
    return folders;
  }
  RepClimateFile Station(const std::string& name, const std::string& dta = std::string(
                                                      test_support::kSmallDta)) {
    return WriteStation(data_.Folder(), name, kDaily, {1, 7, 2001}, {3, 7, 2001}, dta);
  }
  ScratchFolder data_;
  ScratchFolder output_;
  std::ostringstream out_;
  std::ostringstream err_;
};

}  // namespace vernoli::test_support
