// One ExtractPayload of the payload linked into this program, into the
// directory given, for the heap profile. Built like the installer, without
// exceptions and RTTI, and linked without the C++ runtime library, whose
// start-up allocations would otherwise stand in the profile beside those of
// the extraction.
#include <unistd.h>

#include "extract.h"

int main(int argc, char** argv) {
  if (argc != 2 || ::chdir(argv[1]) != 0) return 2;
  return ExtractPayload(nullptr, nullptr) == EXTRACT_DONE ? 0 : 1;
}
