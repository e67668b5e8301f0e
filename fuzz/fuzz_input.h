// Splitting a fuzzer's input into the values a target needs: the first byte
// carries switches, the rest is a list of texts separated by NUL bytes (the
// values that the programs read never hold a NUL themselves). Missing fields
// are empty; a failed check aborts, so that libFuzzer keeps the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzzinput {

struct Input {
  uint8_t flags = 0;
  std::vector<std::string> fields;

  bool Flag(int bit) const { return (flags >> bit) & 1; }
  const std::string& Field(size_t index) const {
    static const std::string empty;
    return index < fields.size() ? fields[index] : empty;
  }
  bool HasField(size_t index) const { return index < fields.size(); }
};

inline Input Split(const uint8_t* data, size_t size, size_t maxFields) {
  Input input;
  if (size == 0) return input;
  input.flags = data[0];
  std::string current;
  for (size_t i = 1; i < size; ++i) {
    if (data[i] == 0 && input.fields.size() + 1 < maxFields) {
      input.fields.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  input.fields.push_back(current);
  return input;
}

// The text with every byte after the first NUL dropped, as a C string holds it.
inline std::string AsCString(const std::string& text) { return text.substr(0, text.find('\0')); }

}  // namespace fuzzinput

// A broken contract: report it with the line and abort.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: contract broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)
