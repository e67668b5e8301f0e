// The launcher's bounded formatter.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "format_text.h"

namespace {

TEST(FormatTextTest, ConvertsTextsAndNumbersAndNeverReadsArgumentsAsFormats) {
  char buffer[64];
  FormatText(buffer, sizeof buffer, "<%s> %d %d %d%%", "%s%d", 0, -7, INT_MIN);
  EXPECT_STREQ(buffer, "<%s%d> 0 -7 -2147483648%");
  FormatText(buffer, sizeof buffer, "100% %x %", "unused");
  EXPECT_STREQ(buffer, "100% %x %");
}

TEST(FormatTextTest, CutsToTheBufferAndAlwaysTerminates) {
  for (size_t size : {1u, 2u, 5u, 9u, 10u}) {
    char buffer[16];
    std::string(sizeof buffer, 'x').copy(buffer, sizeof buffer);
    FormatText(buffer, size, "%s=%d", "abc", 12345);
    EXPECT_EQ(std::string(buffer), std::string("abc=12345").substr(0, size - 1)) << size;
    EXPECT_EQ(buffer[size], 'x') << size;
  }
}

}  // namespace
