// The colour count and the palette from any bitmap header and colour table:
// ChooseSplashPalette with a colour table reader and allocator that the input
// steers, then the same picture loaded and painted through the launcher's
// scripted GDI fake, which reports every object deleted while selected and
// every object left behind.
//
// Input, fixed layout: a switch byte, biBitCount (2 bytes), biClrUsed (4),
// the count the table reader claims (4), then the colour table (RGBQUAD
// bytes). Switches: 0 the table allocation fails, 1 the palette block
// allocation fails, 2 the picture does not load, 3 the display has a palette,
// 4 the platform refuses palettes, 5 the window is minimised, 6 the reader
// claims the count of the input rather than what it copied.
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "fake_setup.h"
#include "fuzz_input.h"
#include "launcher_config.h"
#include "setup_dialog.h"
#include "splash_palette.h"
#include "winvalues.h"

namespace {

struct Reader {
  const std::vector<uint8_t>* colours;
  uint32_t claimed;
  bool claimInput;
  uint32_t asked = 0;
  uint32_t copied = 0;
};

uint32_t ReadTable(void* context, uint32_t count, splash::ColourQuad* table) {
  auto* reader = static_cast<Reader*>(context);
  reader->asked = count;
  const uint32_t available = static_cast<uint32_t>(reader->colours->size() / 4);
  reader->copied = count < available ? count : available;
  // The table has room for exactly count entries: ASan sees any shortfall.
  if (reader->copied) std::memcpy(table, reader->colours->data(), 4u * reader->copied);
  return reader->claimInput ? reader->claimed : reader->copied;
}

// An allocator that fails on request and knows every block's size.
struct Heap {
  int calls = 0;
  int failAt[2] = {0, 0};
  std::map<void*, size_t> live;
} heap;

void* Allocate(std::size_t bytes) {
  ++heap.calls;
  if (heap.calls == heap.failAt[0] || heap.calls == heap.failAt[1]) return nullptr;
  void* block = std::malloc(bytes == 0 ? 1 : bytes);
  heap.live[block] = bytes;
  return block;
}

void Release(void* block) {
  FUZZ_CHECK(heap.live.erase(block) == 1);
  std::free(block);
}

// The count as the rules state it, in wide arithmetic.
unsigned long long ExpectedCount(uint16_t bitCount, uint32_t clrUsed) {
  if (clrUsed != 0) return clrUsed;
  return bitCount >= 63 ? ~0ull : 1ull << bitCount;
}

void CheckEntries(const uint8_t* entries, uint32_t count, const std::vector<uint8_t>& colours, uint32_t copied) {
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t blue = 0, green = 0, red = 0;
    if (i < copied) blue = colours[4 * i], green = colours[4 * i + 1], red = colours[4 * i + 2];
    FUZZ_CHECK(entries[4 * i] == red && entries[4 * i + 1] == green && entries[4 * i + 2] == blue);
    FUZZ_CHECK(entries[4 * i + 3] == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 11) return 0;
  const uint8_t flags = data[0];
  uint16_t bitCount;
  uint32_t clrUsed, claimed;
  std::memcpy(&bitCount, data + 1, 2);
  std::memcpy(&clrUsed, data + 3, 4);
  std::memcpy(&claimed, data + 7, 4);
  const std::vector<uint8_t> colours(data + 11, data + size);
  auto flag = [flags](int bit) { return (flags >> bit) & 1; };

  // ---- The count and the palette block ----
  const unsigned long long expected = ExpectedCount(bitCount, clrUsed);
  const uint32_t count = splash::ColourCount(bitCount, clrUsed);
  FUZZ_CHECK(expected > 256 ? count == 257 : count == expected);

  heap = Heap();
  if (flag(0)) heap.failAt[0] = 1;
  if (flag(1)) heap.failAt[1] = 2;
  Reader reader{&colours, claimed, flag(6) != 0};
  splash::PaletteChoice choice = splash::ChooseSplashPalette(bitCount, clrUsed, ReadTable, &reader, Allocate, Release);
  if (expected > 256) {
    FUZZ_CHECK(choice.kind == splash::PaletteKind::kHalftone && choice.block == nullptr && heap.calls == 0);
  } else if (flag(0)) {
    FUZZ_CHECK(choice.kind == splash::PaletteKind::kNone && choice.block == nullptr);
  } else {
    FUZZ_CHECK(reader.asked == count);
    const uint32_t claimedEntries = reader.claimInput ? claimed : reader.copied;
    const uint32_t entries = claimedEntries < count ? claimedEntries : count;
    if (entries == 0) {
      FUZZ_CHECK(choice.kind == splash::PaletteKind::kHalftone && choice.block == nullptr);
    } else if (flag(1)) {
      FUZZ_CHECK(choice.kind == splash::PaletteKind::kNone && choice.block == nullptr);
    } else {
      FUZZ_CHECK(choice.kind == splash::PaletteKind::kTable && choice.block != nullptr);
      FUZZ_CHECK(heap.live.size() == 1 && heap.live.begin()->second >= 4 + 4 * static_cast<size_t>(entries));
      FUZZ_CHECK(choice.block->palVersion == 0x300 && choice.block->palNumEntries == entries);
      CheckEntries(reinterpret_cast<const uint8_t*>(choice.block->palPalEntry), entries, colours, reader.copied);
    }
  }
  splash::FreeLogPalette(choice.block, Release);
  FUZZ_CHECK(heap.live.empty());

  // ---- The same picture, loaded and painted through the GDI fake ----
  setupfake::Reset();
  auto& gdi = setupfake::Fake().gdi;
  gdi.colourTable = colours;
  gdi.deviceCaps = flag(3) ? WIN_RC_PALETTE : 0;
  gdi.refusePalettes = flag(4);
  setupfake::Fake().ui.iconic = flag(5);
  if (!flag(2)) gdi.images["splash.bmp"] = platform::DibHeader{365, 140, bitCount, clrUsed};
  {
    SetupDialog dialog;
    CDialog::DialogProc(setupfake::kDialogWindow, WIN_WM_INITDIALOG, 0, reinterpret_cast<intptr_t>(&dialog));
    std::strcpy(bitmapFileName, "splash.bmp");
    CDialog::DialogProc(setupfake::kDialogWindow, WIN_WM_PAINT, 0, 0);
  }
  FUZZ_CHECK(gdi.faults.empty());
  FUZZ_CHECK(gdi.openPaints.empty());
  FUZZ_CHECK(gdi.liveObjects.empty());  // every bitmap and palette of the paint deleted

  const bool painted = !flag(5) && !flag(2);
  const uint32_t available = static_cast<uint32_t>(colours.size() / 4);
  const uint32_t tableEntries = count < available ? count : available;
  if (painted && expected <= 256 && tableEntries > 0) {
    FUZZ_CHECK(gdi.paletteBlocks.size() == 1);
    const std::vector<uint8_t>& block = gdi.paletteBlocks[0];
    uint16_t version, entries;
    std::memcpy(&version, block.data(), 2);
    std::memcpy(&entries, block.data() + 2, 2);
    FUZZ_CHECK(version == 0x300 && entries == tableEntries);
    CheckEntries(block.data() + 4, entries, colours, tableEntries);
  } else {
    FUZZ_CHECK(gdi.paletteBlocks.empty());
  }
  bool halftone = false;
  for (const std::string& call : setupfake::Fake().calls) halftone = halftone || call.rfind("CreateHalftonePalette", 0) == 0;
  FUZZ_CHECK(halftone == (painted && (expected > 256 || tableEntries == 0)));
  return 0;
}
