// The payload generator's checks of file names and product values, compiled
// from the generator's own source file (its main() renamed), so that exactly
// the code of the build-time tool is exercised: BareNameProblem on any name,
// ReadProduct on any product description, and the C++ string literals that
// the generator emits for the values it accepted.
//
// Input: a switch byte (unused), then a file name, a NUL, and the text of a
// product description (which may hold further NULs).
#include <zlib.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "fuzz_input.h"

#define main mkpayload_main
#include "../installer/payload/mkpayload.cpp"
#undef main

namespace {

std::string productPath;

bool IsReservedDevice(const std::string& name) {
  std::string stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  static const char* const kDevices[] = {"con",  "prn",  "aux",  "nul",  "com1", "com2", "com3", "com4",
                                         "com5", "com6", "com7", "com8", "com9", "lpt1", "lpt2", "lpt3",
                                         "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9", "clock$"};
  for (const char* device : kDevices)
    if (stem == device) return true;
  return false;
}

// A name accepted by the generator is one file of that very name in the
// installer's current directory.
void CheckAcceptedName(const std::string& name) {
  FUZZ_CHECK(!name.empty() && name.size() <= 100);
  FUZZ_CHECK(name != "." && name != "..");
  for (unsigned char c : name) {
    FUZZ_CHECK(c >= 0x20);
    FUZZ_CHECK(std::strchr("<>:\"|?*/\\", c) == nullptr);
  }
  FUZZ_CHECK(name.back() != '.' && name.back() != ' ');
  FUZZ_CHECK(!IsReservedDevice(name));
}

// The emitted literal: quotes around the text, no raw quote, backslash or
// question mark inside, and it reads back as the value, byte for byte.
void CheckLiteral(const std::string& value) {
  const std::string literal = CString(value);
  FUZZ_CHECK(literal.size() >= 2 && literal.front() == '"' && literal.back() == '"');
  std::string decoded;
  for (size_t i = 1; i + 1 < literal.size(); ++i) {
    const char c = literal[i];
    FUZZ_CHECK(c != '"' && c != '?' && static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F);
    if (c != '\\') {
      decoded += c;
      continue;
    }
    FUZZ_CHECK(i + 3 < literal.size() - 1);
    int code = 0;
    for (int k = 1; k <= 3; ++k) {
      const char digit = literal[i + k];
      FUZZ_CHECK(digit >= '0' && digit <= '7');
      code = code * 8 + (digit - '0');
    }
    FUZZ_CHECK(code <= 0xFF);
    decoded += static_cast<char>(code);
    i += 3;
  }
  FUZZ_CHECK(decoded == value);
}

void CheckCommandText(const std::string& value) {
  for (unsigned char c : value) FUZZ_CHECK(c != 0 && std::strchr(",()[]\"", c) == nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* dir = std::getenv("TMPDIR");
  productPath = std::string(dir && *dir ? dir : "/tmp") + "/mkpayload_fuzz_" + std::to_string(::getpid()) + ".ini";
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzinput::Input input = fuzzinput::Split(data, size, 2);

  // ---- File names ----
  const std::string& name = input.Field(0);
  const std::string problem = BareNameProblem(name);
  if (problem.empty()) CheckAcceptedName(name);
  CheckLiteral(name);

  // ---- Product descriptions ----
  FILE* out = std::fopen(productPath.c_str(), "wb");
  FUZZ_CHECK(out != nullptr);
  const std::string& text = input.Field(1);
  FUZZ_CHECK(std::fwrite(text.data(), 1, text.size(), out) == text.size());
  FUZZ_CHECK(std::fclose(out) == 0);

  Product product;
  try {
    product = ReadProduct(productPath);
  } catch (const Failure& failure) {
    // Every refusal names the file it is about.
    FUZZ_CHECK(failure.what.rfind(productPath, 0) == 0);
    return 0;
  }
  for (const std::string* value : {&product.shortName, &product.iniFileName, &product.exeName}) CheckAcceptedName(*value);
  FUZZ_CHECK(!product.displayName.empty() && product.displayName.size() <= 100);
  FUZZ_CHECK(product.startupArgs.size() <= 100 && product.startupPrompt.size() <= 512);
  FUZZ_CHECK(product.offerStartup == 0 || (product.offerStartup == 1 && !product.startupPrompt.empty()));
  for (const std::string* value : {&product.shortName, &product.displayName, &product.exeName, &product.startupArgs})
    CheckCommandText(*value);
  for (const std::string* value : {&product.shortName, &product.displayName, &product.iniFileName,
                                   &product.startupPrompt, &product.exeName, &product.startupArgs}) {
    for (unsigned char c : *value) FUZZ_CHECK(c >= 0x20 && c != 0x7F);
    CheckLiteral(*value);
  }
  for (const std::string& file : product.files) CheckLiteral(file);
  return 0;
}
