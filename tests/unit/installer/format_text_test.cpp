// The installer's bounded formatter: the conversions it knows, the length it
// reports, and the buffer it never overruns.
#include "format_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(FormatText, ConversionsAsPrintfWouldGiveThem) {
  char buffer[64];
  EXPECT_EQ(21u, FormatText(buffer, sizeof buffer, "Percent Complete: %d%%", 33));
  EXPECT_EQ("Percent Complete: 33%", std::string(buffer));

  FormatText(buffer, sizeof buffer, "%d|%d|%d", 0, -7, INT_MIN);
  EXPECT_EQ("0|-7|-2147483648", std::string(buffer));
  FormatText(buffer, sizeof buffer, "\"%s\\%s\" %s", "C:\\x", "brevio.exe", "-icon");
  EXPECT_EQ("\"C:\\x\\brevio.exe\" -icon", std::string(buffer));
  // Text that arrives through %s is never read as a format.
  FormatText(buffer, sizeof buffer, "[%s]", "%s%n%d");
  EXPECT_EQ("[%s%n%d]", std::string(buffer));
  // A lone or unknown % is copied as it stands.
  const char* unknown = "50% %x %";
  FormatTextV(buffer, sizeof buffer, unknown, nullptr);
  EXPECT_EQ("50% %x %", std::string(buffer));
}

TEST(FormatText, ReportsTheWholeLengthAndCutsAtTheBuffer) {
  char buffer[8];
  EXPECT_EQ(11u, FormatText(buffer, sizeof buffer, "%s-%d", "abcdef", 1234));
  EXPECT_EQ("abcdef-", std::string(buffer));  // 7 characters and the NUL
  EXPECT_EQ(7u, FormatText(buffer, sizeof buffer, "%s", "1234567"));
  EXPECT_EQ("1234567", std::string(buffer));  // exactly fits
  EXPECT_EQ(8u, FormatText(buffer, sizeof buffer, "%s", "12345678"));
  EXPECT_EQ("1234567", std::string(buffer));  // one too many: cut, and 8 >= size says so

  // Size 0 measures without writing anything.
  char untouched = 'x';
  EXPECT_EQ(5u, FormatText(&untouched, 0, "%s", "hello"));
  EXPECT_EQ('x', untouched);
  EXPECT_EQ(3u, FormatText(nullptr, 0, "%d", 100));
}

}  // namespace
