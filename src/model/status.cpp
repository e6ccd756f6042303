#include "model/status.h"

namespace vernoli {

std::string ErrorText(std::string_view reason) {
  std::string text = "ERROR:\n";
  text += reason;
  return text;
}

}  // namespace vernoli
