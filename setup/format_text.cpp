// A small formatter instead of the runtime's printf family, which would more
// than double the size of the program for the two conversions it needs.
#include "format_text.h"

#include <cstdarg>

namespace {

// Appends text to the buffer as far as room remains (one byte is kept for
// the terminating NUL).
void Append(char* buffer, size_t size, size_t* used, const char* text) {
  while (*text && *used + 1 < size) buffer[(*used)++] = *text++;
}

}  // namespace

void FormatText(char* buffer, size_t size, const char* format, ...) {
  if (size == 0) return;
  size_t used = 0;
  va_list args;
  va_start(args, format);
  for (const char* p = format; *p && used + 1 < size; ++p) {
    if (p[0] == '%' && p[1] == 's') {
      const char* text = va_arg(args, const char*);
      Append(buffer, size, &used, text ? text : "");
      ++p;
    } else if (p[0] == '%' && p[1] == 'd') {
      int value = va_arg(args, int);
      // Digits from the lowest up, then reversed; the magnitude as unsigned so
      // that the most negative number has one.
      char digits[12];
      size_t count = 0;
      unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
      do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
      } while (magnitude);
      if (value < 0) digits[count++] = '-';
      char number[12];
      for (size_t i = 0; i < count; ++i) number[i] = digits[count - 1 - i];
      number[count] = '\0';
      Append(buffer, size, &used, number);
      ++p;
    } else if (p[0] == '%' && p[1] == '%') {
      buffer[used++] = '%';
      ++p;
    } else {
      buffer[used++] = *p;
    }
  }
  va_end(args);
  buffer[used] = '\0';
}
