// Bounded formatting of the launcher's texts: "%s" takes a text, "%d" a
// signed decimal number, "%%" a percent sign; anything else is copied as it
// is. The result is always NUL-terminated and cut to the buffer. Arguments are
// never read as formats, so a "%" inside a value shows literally.
#pragma once

#include <cstddef>

void FormatText(char* buffer, size_t size, const char* format, ...);
