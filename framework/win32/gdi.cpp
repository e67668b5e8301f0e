// Seam: painting, device contexts, bitmaps and palettes.
#include <windows.h>

#include "undef_names.h"
#include "platform.h"

namespace platform {

static_assert(sizeof(PaintStruct) >= sizeof(PAINTSTRUCT) && alignof(PaintStruct) >= alignof(PAINTSTRUCT),
              "PaintStruct holds a PAINTSTRUCT");

Dc BeginPaint(Window window, PaintStruct* paint) {
  return ::BeginPaint(static_cast<HWND>(window), reinterpret_cast<PAINTSTRUCT*>(paint->storage));
}

void EndPaint(Window window, const PaintStruct* paint) {
  ::EndPaint(static_cast<HWND>(window), reinterpret_cast<const PAINTSTRUCT*>(paint->storage));
}

Dc GetDC(Window window) { return ::GetDC(static_cast<HWND>(window)); }
void ReleaseDC(Window window, Dc dc) { ::ReleaseDC(static_cast<HWND>(window), static_cast<HDC>(dc)); }
Dc CreateCompatibleDC(Dc dc) { return ::CreateCompatibleDC(static_cast<HDC>(dc)); }
void DeleteDC(Dc dc) { ::DeleteDC(static_cast<HDC>(dc)); }

GdiObject SelectObject(Dc dc, GdiObject object) {
  HGDIOBJ previous = ::SelectObject(static_cast<HDC>(dc), static_cast<HGDIOBJ>(object));
  return previous == HGDI_ERROR ? nullptr : previous;
}

void DeleteObject(GdiObject object) { ::DeleteObject(static_cast<HGDIOBJ>(object)); }

GdiObject SelectPalette(Dc dc, GdiObject palette, int forceBackground) {
  return ::SelectPalette(static_cast<HDC>(dc), static_cast<HPALETTE>(palette), forceBackground);
}

unsigned RealizePalette(Dc dc) { return ::RealizePalette(static_cast<HDC>(dc)); }
int GetDeviceCaps(Dc dc, int index) { return ::GetDeviceCaps(static_cast<HDC>(dc), index); }

void BitBlt(Dc dest, int x, int y, int width, int height, Dc source, int sourceX, int sourceY, uint32_t rop) {
  ::BitBlt(static_cast<HDC>(dest), x, y, width, height, static_cast<HDC>(source), sourceX, sourceY, rop);
}

void DrawIcon(Dc dc, int x, int y, Icon icon) { ::DrawIcon(static_cast<HDC>(dc), x, y, static_cast<HICON>(icon)); }

GdiObject LoadImage(Instance instance, const char* name, unsigned type, int cx, int cy, unsigned flags) {
  return LoadImageA(static_cast<HINSTANCE>(instance), name, type, cx, cy, flags);
}

int GetDibHeader(GdiObject bitmap, DibHeader* header) {
  DIBSECTION section;
  if (GetObjectA(static_cast<HGDIOBJ>(bitmap), sizeof section, &section) != sizeof section) return 0;
  header->width = section.dsBmih.biWidth;
  header->height = section.dsBmih.biHeight;
  header->bitCount = section.dsBmih.biBitCount;
  header->clrUsed = section.dsBmih.biClrUsed;
  return 1;
}

GdiObject CreateHalftonePalette(Dc dc) { return ::CreateHalftonePalette(static_cast<HDC>(dc)); }

unsigned GetDIBColorTable(Dc dc, unsigned start, unsigned count, void* table) {
  return ::GetDIBColorTable(static_cast<HDC>(dc), start, count, static_cast<RGBQUAD*>(table));
}

GdiObject CreatePalette(const void* logPalette) {
  return ::CreatePalette(static_cast<const LOGPALETTE*>(logPalette));
}

}  // namespace platform
