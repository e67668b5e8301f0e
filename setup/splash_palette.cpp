// The splash picture's palette from its header and colour table, and the
// centred icon of the minimised launcher.
#include "splash_palette.h"

#include <cstdlib>

namespace splash {

namespace {

void* HeapAllocate(std::size_t bytes) { return std::malloc(bytes); }
void HeapRelease(void* block) { std::free(block); }

}  // namespace

uint32_t ColourCount(uint16_t bitCount, uint32_t clrUsed) {
  const uint32_t tooMany = kMaxPaletteColours + 1;
  if (clrUsed != 0) return clrUsed > kMaxPaletteColours ? tooMany : clrUsed;
  // 2 to the power of 9 and beyond exceeds a palette; below that the shift
  // is small and exact.
  if (bitCount > 8) return tooMany;
  return uint32_t{1} << bitCount;
}

PaletteChoice ChooseSplashPalette(uint16_t bitCount, uint32_t clrUsed, ReadColourTable read,
                                  void* context, Allocate allocate, Release release) {
  if (allocate == nullptr) allocate = HeapAllocate;
  if (release == nullptr) release = HeapRelease;

  const uint32_t count = ColourCount(bitCount, clrUsed);
  if (count > kMaxPaletteColours) return {PaletteKind::kHalftone, nullptr};

  auto* table = static_cast<ColourQuad*>(allocate(count * sizeof(ColourQuad)));
  if (table == nullptr) return {PaletteKind::kNone, nullptr};
  for (uint32_t i = 0; i < count; ++i) table[i] = ColourQuad{0, 0, 0, 0};

  uint32_t entries = read(context, count, table);
  if (entries > count) entries = count;  // never trust more than was asked for
  if (entries == 0) {
    release(table);
    return {PaletteKind::kHalftone, nullptr};
  }

  // Room for one entry more than the palette uses, as the platform's own
  // examples allocate it.
  const std::size_t bytes = offsetof(LogPalette, palPalEntry) + (entries + 1) * sizeof(PaletteEntry);
  auto* block = static_cast<LogPalette*>(allocate(bytes));
  if (block == nullptr) {
    release(table);
    return {PaletteKind::kNone, nullptr};
  }
  block->palVersion = kPaletteVersion;
  block->palNumEntries = static_cast<uint16_t>(entries);
  for (uint32_t i = 0; i < entries; ++i) {
    block->palPalEntry[i] = PaletteEntry{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  }
  release(table);
  return {PaletteKind::kTable, block};
}

void FreeLogPalette(LogPalette* block, Release release) {
  if (block == nullptr) return;
  (release != nullptr ? release : HeapRelease)(block);
}

IconPosition CentreIcon(int clientWidth, int clientHeight, int iconWidth, int iconHeight) {
  // Wide arithmetic, so that no size makes the sum overflow; sizes are never
  // negative, so the halves fit an int again.
  const long long x = (static_cast<long long>(clientWidth) - iconWidth + 1) / 2;
  const long long y = (static_cast<long long>(clientHeight) - iconHeight + 1) / 2;
  return {static_cast<int>(x), static_cast<int>(y)};
}

}  // namespace splash
