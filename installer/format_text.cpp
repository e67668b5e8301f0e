// Bounded formatting for "%s", "%d" and "%%"; any other character is copied.
#include "format_text.h"

namespace {

// Writes what room allows and counts everything, written or not.
struct Output {
  char* buffer;
  size_t size;
  size_t length;

  void Put(char c) {
    if (length + 1 < size) buffer[length] = c;
    ++length;
  }
};

void PutNumber(Output& out, int value) {
  // The magnitude as unsigned, so that the most negative int has one.
  unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) out.Put('-');
  while (count > 0) out.Put(digits[--count]);
}

}  // namespace

size_t FormatTextV(char* buffer, size_t size, const char* format, va_list args) {
  Output out{buffer, size, 0};
  for (const char* p = format; *p != '\0'; ++p) {
    if (p[0] != '%' || (p[1] != 's' && p[1] != 'd' && p[1] != '%')) {
      out.Put(*p);
      continue;
    }
    ++p;
    if (*p == 's') {
      const char* text = va_arg(args, const char*);
      for (; text != nullptr && *text != '\0'; ++text) out.Put(*text);
    } else if (*p == 'd') {
      PutNumber(out, va_arg(args, int));
    } else {
      out.Put('%');
    }
  }
  if (size > 0) buffer[out.length < size ? out.length : size - 1] = '\0';
  return out.length;
}

size_t FormatText(char* buffer, size_t size, const char* format, ...) {
  va_list args;
  va_start(args, format);
  size_t length = FormatTextV(buffer, size, format, args);
  va_end(args);
  return length;
}
