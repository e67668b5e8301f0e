// The splash picture's palette from header and colour table, including damaged
// headers and failed allocations, and the centred icon of the minimised window.
#include "splash_palette.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

using splash::ChooseSplashPalette;
using splash::ColourQuad;
using splash::PaletteKind;

// A picture's colour table as the device context returns it: at most the
// entries it has, however many are asked for. Records each request.
struct FakeTable {
  std::vector<ColourQuad> colours;
  int reads = 0;
  uint32_t asked = 0;
  uint32_t claim = 0;  // when nonzero, reported as the count copied

  static uint32_t Read(void* context, uint32_t count, ColourQuad* table) {
    auto* self = static_cast<FakeTable*>(context);
    ++self->reads;
    self->asked = count;
    uint32_t copied = 0;
    for (; copied < count && copied < self->colours.size(); ++copied) table[copied] = self->colours[copied];
    return self->claim != 0 ? self->claim : copied;
  }
};

// Distinct colours, so that an entry out of order or out of place shows.
FakeTable TableOf(uint32_t entries) {
  FakeTable t;
  for (uint32_t i = 0; i < entries; ++i) {
    t.colours.push_back(ColourQuad{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                   static_cast<uint8_t>(i * 7), 0xEE});
  }
  return t;
}

struct PaletteCase {
  const char* name;
  uint16_t bitCount;
  uint32_t clrUsed;
  uint32_t tableEntries;  // entries the picture's table really has
  PaletteKind kind;
  uint32_t expectedEntries;
  bool tableRead;
};

const PaletteCase kCases[] = {
    {"8 bits, no stated count", 8, 0, 256, PaletteKind::kTable, 256, true},
    {"8 bits, 100 stated", 8, 100, 100, PaletteKind::kTable, 100, true},
    {"4 bits", 4, 0, 16, PaletteKind::kTable, 16, true},
    {"1 bit", 1, 0, 2, PaletteKind::kTable, 2, true},
    {"8 bits, 256 stated", 8, 256, 256, PaletteKind::kTable, 256, true},
    {"16 bits", 16, 0, 0, PaletteKind::kHalftone, 0, false},
    {"24 bits", 24, 0, 0, PaletteKind::kHalftone, 0, false},
    {"32 bits", 32, 0, 0, PaletteKind::kHalftone, 0, false},
    // Damaged or crafted headers.
    {"bit count 0", 0, 0, 0, PaletteKind::kHalftone, 0, true},
    {"bit count 64", 64, 0, 0, PaletteKind::kHalftone, 0, false},
    {"bit count 255", 255, 0, 0, PaletteKind::kHalftone, 0, false},
    {"bit count 65535", 65535, 0, 0, PaletteKind::kHalftone, 0, false},
    {"8 bits, 257 stated", 8, 257, 256, PaletteKind::kHalftone, 0, false},
    {"8 bits, 4294967295 stated", 8, 0xFFFFFFFFu, 256, PaletteKind::kHalftone, 0, false},
    {"24 bits stating 16", 24, 16, 0, PaletteKind::kHalftone, 0, true},
    {"4 bits stating 200", 4, 200, 16, PaletteKind::kTable, 16, true},
};

TEST(SplashPalette, ColourCountAndEntriesFollowTheHeader) {
  for (const PaletteCase& c : kCases) {
    SCOPED_TRACE(c.name);
    FakeTable table = TableOf(c.tableEntries);
    splash::PaletteChoice choice = ChooseSplashPalette(c.bitCount, c.clrUsed, FakeTable::Read, &table);
    EXPECT_EQ(choice.kind, c.kind);
    EXPECT_EQ(table.reads, c.tableRead ? 1 : 0);
    if (c.kind != PaletteKind::kTable) {
      EXPECT_EQ(choice.block, nullptr);
      continue;
    }
    ASSERT_NE(choice.block, nullptr);
    EXPECT_EQ(choice.block->palVersion, 0x300);
    ASSERT_EQ(choice.block->palNumEntries, c.expectedEntries);
    for (uint32_t i = 0; i < c.expectedEntries; ++i) {
      const splash::PaletteEntry& e = choice.block->palPalEntry[i];
      const ColourQuad& q = table.colours[i];
      EXPECT_EQ(e.peRed, q.rgbRed) << i;
      EXPECT_EQ(e.peGreen, q.rgbGreen) << i;
      EXPECT_EQ(e.peBlue, q.rgbBlue) << i;
      EXPECT_EQ(e.peFlags, 0) << i;
    }
    splash::FreeLogPalette(choice.block);
  }
}

TEST(SplashPalette, CountIsComparedWithoutOverflowAtAnyDepth) {
  EXPECT_EQ(splash::ColourCount(1, 0), 2u);
  EXPECT_EQ(splash::ColourCount(8, 0), 256u);
  EXPECT_EQ(splash::ColourCount(8, 100), 100u);
  for (uint32_t bits = 9; bits <= 0xFFFF; ++bits) {
    ASSERT_GT(splash::ColourCount(static_cast<uint16_t>(bits), 0), 256u) << bits;
  }
  EXPECT_GT(splash::ColourCount(32, 0), 256u);
  EXPECT_GT(splash::ColourCount(1, 0x80000000u), 256u);
}

// The table is exactly as large as the count asked for (AddressSanitizer
// watches its edges); a reader that claims more than it was asked for must
// not make the palette read past it.
TEST(SplashPalette, AReaderThatOverstatesItsCountIsCappedAtTheTable) {
  FakeTable table = TableOf(16);
  table.claim = 5000;
  splash::PaletteChoice choice = ChooseSplashPalette(4, 0, FakeTable::Read, &table);
  ASSERT_EQ(choice.kind, PaletteKind::kTable);
  EXPECT_EQ(table.asked, 16u);
  EXPECT_EQ(choice.block->palNumEntries, 16);
  splash::FreeLogPalette(choice.block);
}

// Fails the Nth allocation (1-based); counts what is still held.
struct Heap {
  static int failAt;
  static int calls;
  static int held;
  static void* Allocate(std::size_t bytes) {
    if (++calls == failAt) return nullptr;
    ++held;
    return std::malloc(bytes);
  }
  static void Release(void* block) {
    --held;
    std::free(block);
  }
};
int Heap::failAt = 0;
int Heap::calls = 0;
int Heap::held = 0;

TEST(SplashPalette, AFailedAllocationSkipsThePaletteAndFreesTheRest) {
  for (int failAt : {1, 2}) {  // the colour table, then the palette block
    SCOPED_TRACE(failAt);
    Heap::failAt = failAt;
    Heap::calls = 0;
    Heap::held = 0;
    FakeTable table = TableOf(256);
    splash::PaletteChoice choice =
        ChooseSplashPalette(8, 0, FakeTable::Read, &table, Heap::Allocate, Heap::Release);
    EXPECT_EQ(choice.kind, PaletteKind::kNone);
    EXPECT_EQ(choice.block, nullptr);
    EXPECT_EQ(table.reads, failAt == 1 ? 0 : 1);
    EXPECT_EQ(Heap::held, 0);
  }
}

TEST(SplashPalette, TheColourTableIsFreedOnEveryPath) {
  for (uint16_t bits : {1, 8, 24}) {
    SCOPED_TRACE(bits);
    Heap::failAt = 0;
    Heap::calls = 0;
    Heap::held = 0;
    FakeTable table = TableOf(bits <= 8 ? (1u << bits) : 0);
    splash::PaletteChoice choice =
        ChooseSplashPalette(bits, 0, FakeTable::Read, &table, Heap::Allocate, Heap::Release);
    EXPECT_EQ(Heap::held, choice.block != nullptr ? 1 : 0);
    splash::FreeLogPalette(choice.block, Heap::Release);
    EXPECT_EQ(Heap::held, 0);
  }
}

TEST(SplashIcon, IsCentredWithTheHalvesRoundedUp) {
  struct Case {
    int width, height, iconWidth, iconHeight, x, y;
  };
  const Case cases[] = {
      {36, 36, 32, 32, 2, 2},
      {35, 36, 32, 32, 2, 2},
      {33, 34, 32, 32, 1, 1},
      {404, 282, 32, 32, 186, 125},
      {0, 0, 32, 32, -15, -15},  // truncated toward zero: -31 / 2
      {31, 20, 32, 32, 0, -5},
  };
  for (const Case& c : cases) {
    splash::IconPosition p = splash::CentreIcon(c.width, c.height, c.iconWidth, c.iconHeight);
    EXPECT_EQ(p.x, c.x) << c.width;
    EXPECT_EQ(p.y, c.y) << c.height;
  }
}

}  // namespace
