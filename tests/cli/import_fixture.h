// vernoli-batch import run in the test's own process, with an input and a data folder of its own.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "../stations/station_folder.h"
#include "cli/importbatch.h"

namespace vernoli::test_support {

struct ImportOutcome {
  int status = -1;
  std::string out;
  std::string err;
};

struct BatchImport {
  ScratchFolder input;
  ScratchFolder data;

  // `arguments` are the words after "import".
  ImportOutcome Run(const std::vector<std::string>& arguments) const {
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunImportBatch(arguments, data.Folder(), out, err);
    return {status, out.str(), err.str()};
  }
  // The file written into the input folder and imported as NEW with the options.
  ImportOutcome Import(const std::string& file, const std::string& bytes,
                       const std::vector<std::string>& options) const {
    WriteBytes(input.File(file), bytes);
    std::vector<std::string> arguments = {input.File(file), "--name", "NEW"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return Run(arguments);
  }
  // The text with the two folders left out.
  std::string Plain(std::string text) const {
    for (const std::string& folder : {input.Folder(), data.Folder()}) {
      for (std::size_t at; (at = text.find(folder)) != std::string::npos;) {
        text.replace(at, folder.size(), "");
      }
    }
    return text;
  }
};

}  // namespace vernoli::test_support
