// The splash picture and its palette, loaded afresh for every paint.
#include "splash_bitmap.h"

#include "gdi.h"
#include "platform.h"
#include "splash_palette.h"
#include "winvalues.h"

namespace {

// The file's own width and height, held as a bitmap section with its colour
// table.
constexpr unsigned kLoadFlags = WIN_LR_LOADFROMFILE | WIN_LR_CREATEDIBSECTION;

struct ColourTableSource {
  CDC* screen;
  CBitmap* bitmap;
};

// Reads the picture's colour table through a memory context compatible with
// the screen, which holds the picture only for the read.
uint32_t ReadColourTable(void* context, uint32_t count, splash::ColourQuad* table) {
  auto* source = static_cast<ColourTableSource*>(context);
  CDC memory;
  if (!memory.CreateCompatibleDC(source->screen)) return 0;
  memory.SelectObject(source->bitmap);
  return platform::GetDIBColorTable(memory.GetSafeHdc(), 0, count, table);
}  // memory: the picture deselected, the context deleted

}  // namespace

void LoadSplashBitmap(const char* fileName, CBitmap& bitmap, CPalette& palette) {
  platform::GdiObject picture =
      platform::LoadImage(platform::ModuleInstance(), fileName, WIN_IMAGE_BITMAP, 0, 0, kLoadFlags);
  if (!bitmap.Attach(picture)) return;

  platform::DibHeader header{};
  if (!platform::GetDibHeader(bitmap.GetSafeHandle(), &header)) return;  // drawn without a palette of its own

  CClientDC screen(nullptr);
  ColourTableSource source{&screen, &bitmap};
  splash::PaletteChoice choice =
      splash::ChooseSplashPalette(header.bitCount, header.clrUsed, ReadColourTable, &source);
  switch (choice.kind) {
    case splash::PaletteKind::kHalftone:
      palette.CreateHalftonePalette(&screen);
      break;
    case splash::PaletteKind::kTable:
      palette.CreatePalette(choice.block);
      splash::FreeLogPalette(choice.block);
      break;
    case splash::PaletteKind::kNone:
      break;
  }
}  // screen: released
