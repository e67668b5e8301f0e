// Bounded formatting of the installer's texts. Only the conversions that
// they use exist: "%s" (a text), "%d" (a signed int) and "%%". Used instead
// of the runtime's printf family, which would make up a third of the
// program.
#pragma once

#include <cstdarg>
#include <cstddef>

// Like snprintf: writes at most size - 1 characters and a NUL (when size is
// not 0) and returns the length of the whole text, so that a result of size
// or more tells that the text did not fit.
__attribute__((format(printf, 3, 4))) size_t FormatText(char* buffer, size_t size, const char* format, ...);
size_t FormatTextV(char* buffer, size_t size, const char* format, va_list args);
