// The import reader of .PEN files and the import of what it reads (see fuzz_import.h).
#include "fuzz_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return vernoli::fuzz::FuzzImport(vernoli::ImportKind::Hydrolex, data, size);
}
