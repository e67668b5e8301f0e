// FormatText against a reference formatter: any format text, texts of any
// length as arguments, any number, any buffer size. Built twice: against the
// launcher's formatter, and with INSTALLER_FORMAT_TEXT against the
// installer's, which also returns the length of the whole text. The buffer is a heap
// block of exactly that size, so that a write past its end is an overrun that
// ASan reports; the result must be NUL-terminated inside it and equal the
// reference output cut to the buffer.
//
// Input: a switch byte (unused), then NUL-separated fields
//   the buffer size (2 bytes), a number (4 bytes), the format, four texts.
// The conversions of the format are made to alternate "%s", "%d", "%s", ...
// (the order of the arguments passed); after eight, a "%" stands for itself.
#include <cstdio>
#include <cstring>
#include <string>

#include "format_text.h"
#include "fuzz_input.h"

namespace {

// The format as the launcher's formatter reads it, with the k-th conversion
// turned into "%s" for even k and "%d" for odd k, and a "%" after the eighth
// turned into "#".
std::string Alternating(const std::string& format) {
  std::string out = format;
  int conversions = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    if (out[i] != '%') continue;
    const char next = i + 1 < out.size() ? out[i + 1] : '\0';
    if (next == '%') {
      ++i;
    } else if (next == 's' || next == 'd') {
      if (conversions == 8) {
        out[i] = '#';
      } else {
        out[i + 1] = conversions % 2 == 0 ? 's' : 'd';
        ++conversions;
        ++i;
      }
    }
  }
  return out;
}

// The reference: "%s" a text, "%d" a signed decimal, "%%" one percent sign,
// anything else as it is.
std::string Reference(const std::string& format, const std::string texts[4], const int numbers[4]) {
  std::string out;
  int text = 0, number = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    const char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (format[i] == '%' && next == 's') {
      out += texts[text++];
      ++i;
    } else if (format[i] == '%' && next == 'd') {
      out += std::to_string(numbers[number++]);
      ++i;
    } else if (format[i] == '%' && next == '%') {
      out += '%';
      ++i;
    } else {
      out += format[i];
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzinput::Input input = fuzzinput::Split(data, size, 7);
  const std::string& sizeBytes = input.Field(0);
  const std::string& numberBytes = input.Field(1);
  size_t bufferSize = 1024;
  if (sizeBytes.size() >= 2) bufferSize = (static_cast<uint8_t>(sizeBytes[0]) | static_cast<uint8_t>(sizeBytes[1]) << 8) % 4200;
  int number = 0;
  if (numberBytes.size() >= 4) std::memcpy(&number, numberBytes.data(), 4);
  const int numbers[4] = {number, -number - 1, number / 7, number ^ 0x55555555};

  const std::string format = Alternating(fuzzinput::AsCString(input.Field(2)));
  const std::string texts[4] = {input.Field(3), input.Field(4), input.Field(5), fuzzinput::AsCString(input.Field(6))};

  char* buffer = new char[bufferSize == 0 ? 1 : bufferSize];
  std::memset(buffer, 'x', bufferSize == 0 ? 1 : bufferSize);
#ifdef INSTALLER_FORMAT_TEXT
  const size_t length =
#endif
      FormatText(buffer, bufferSize, format.c_str(), texts[0].c_str(), numbers[0], texts[1].c_str(), numbers[1],
                 texts[2].c_str(), numbers[2], texts[3].c_str(), numbers[3]);
  const std::string texts0[4] = {texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), texts[3].c_str()};
  const std::string reference = Reference(format, texts0, numbers);
#ifdef INSTALLER_FORMAT_TEXT
  FUZZ_CHECK(length == reference.size());  // so that length >= size tells a cut
#endif
  if (bufferSize == 0) {
    FUZZ_CHECK(buffer[0] == 'x');  // nothing written at all
  } else {
    FUZZ_CHECK(std::memchr(buffer, '\0', bufferSize) != nullptr);
    FUZZ_CHECK(std::string(buffer) == reference.substr(0, bufferSize - 1));
  }
  delete[] buffer;
  return 0;
}
