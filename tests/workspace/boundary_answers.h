// A source of boundary values for the tests of the run and its output files: it answers from a
// list and remembers what it was asked.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "limits/boundary.h"

namespace vernoli::test_support {

struct Answers {
  std::deque<std::optional<double>> values;
  std::vector<BoundaryRequest> asked;
  BoundaryValueSource Source() {
    return [this](const BoundaryRequest& request) -> std::optional<double> {
      asked.push_back(request);
      if (values.empty()) return std::nullopt;
      std::optional<double> value = values.front();
      values.pop_front();
      return value;
    };
  }
};

}  // namespace vernoli::test_support
