// Painting, device contexts, bitmaps and palettes, with a check that no
// object is deleted while a live context holds it.
#include <algorithm>
#include <cstring>

#include "fake_setup.h"

using setupfake::Fake;
using setupfake::HandleText;
using setupfake::LogCall;

namespace {

platform::Dc NewContext() {
  auto& gdi = Fake().gdi;
  auto dc = reinterpret_cast<platform::Dc>(gdi.nextHandle++);
  auto stockBitmap = reinterpret_cast<platform::GdiObject>(gdi.nextHandle++);
  auto stockPalette = reinterpret_cast<platform::GdiObject>(gdi.nextHandle++);
  gdi.stockObjects.insert(stockBitmap);
  gdi.stockObjects.insert(stockPalette);
  gdi.contexts[dc] = {stockBitmap, stockPalette, true};
  return dc;
}

// A context ends: it must hold only its stock objects by then.
void EndContext(platform::Dc dc, const char* how) {
  auto& gdi = Fake().gdi;
  auto it = gdi.contexts.find(dc);
  if (it == gdi.contexts.end() || !it->second.live) {
    gdi.faults.push_back(std::string(how) + " of an unknown or ended context " + HandleText(dc));
    return;
  }
  for (platform::GdiObject held : {it->second.bitmap, it->second.palette}) {
    if (!gdi.stockObjects.count(held)) {
      gdi.faults.push_back(std::string(how) + " while " + HandleText(held) + " is selected");
    }
  }
  it->second.live = false;
}

}  // namespace

namespace platform {

Dc BeginPaint(Window, PaintStruct* paint) {
  std::memset(paint->storage, 0, sizeof paint->storage);
  Dc dc = NewContext();
  Fake().gdi.openPaints.push_back(dc);
  LogCall("BeginPaint() = " + HandleText(dc));
  return dc;
}

void EndPaint(Window, const PaintStruct*) {
  LogCall("EndPaint()");
  auto& paints = Fake().gdi.openPaints;
  if (paints.empty()) {
    Fake().gdi.faults.push_back("EndPaint without BeginPaint");
    return;
  }
  EndContext(paints.back(), "EndPaint");
  paints.pop_back();
}

Dc GetDC(Window window) {
  Dc dc = NewContext();
  LogCall("GetDC(" + HandleText(window) + ") = " + HandleText(dc));
  return dc;
}

void ReleaseDC(Window window, Dc dc) {
  LogCall("ReleaseDC(" + HandleText(window) + "," + HandleText(dc) + ")");
  EndContext(dc, "ReleaseDC");
}

Dc CreateCompatibleDC(Dc dc) {
  Dc made = NewContext();
  LogCall("CreateCompatibleDC(" + HandleText(dc) + ") = " + HandleText(made));
  return made;
}

void DeleteDC(Dc dc) {
  LogCall("DeleteDC(" + HandleText(dc) + ")");
  EndContext(dc, "DeleteDC");
}

GdiObject SelectObject(Dc dc, GdiObject object) {
  LogCall("SelectObject(" + HandleText(dc) + "," + HandleText(object) + ")");
  auto& gdi = Fake().gdi;
  auto it = gdi.contexts.find(dc);
  if (!object || it == gdi.contexts.end() || !it->second.live) return nullptr;
  if (!gdi.liveObjects.count(object) && !gdi.stockObjects.count(object)) return nullptr;
  GdiObject previous = it->second.bitmap;
  it->second.bitmap = object;
  return previous;
}

void DeleteObject(GdiObject object) {
  LogCall("DeleteObject(" + HandleText(object) + ")");
  auto& gdi = Fake().gdi;
  gdi.deleted.push_back(object);
  if (!gdi.liveObjects.erase(object)) gdi.faults.push_back("DeleteObject of a dead object " + HandleText(object));
  for (auto& [dc, context] : gdi.contexts) {
    if (context.live && (context.bitmap == object || context.palette == object)) {
      gdi.faults.push_back("DeleteObject(" + HandleText(object) + ") while selected in " + HandleText(dc));
    }
  }
}

GdiObject SelectPalette(Dc dc, GdiObject palette, int forceBackground) {
  LogCall("SelectPalette(" + HandleText(dc) + "," + HandleText(palette) + "," + std::to_string(forceBackground) +
          ")");
  auto& gdi = Fake().gdi;
  auto it = gdi.contexts.find(dc);
  if (!palette || it == gdi.contexts.end() || !it->second.live) return nullptr;
  GdiObject previous = it->second.palette;
  it->second.palette = palette;
  return previous;
}

unsigned RealizePalette(Dc dc) {
  LogCall("RealizePalette(" + HandleText(dc) + ")");
  return 0;
}

int GetDeviceCaps(Dc, int index) {
  LogCall("GetDeviceCaps(" + std::to_string(index) + ")");
  return index == 38 ? Fake().gdi.deviceCaps : 0;
}

void BitBlt(Dc dest, int x, int y, int width, int height, Dc source, int sourceX, int sourceY, uint32_t rop) {
  LogCall("BitBlt(" + HandleText(dest) + "," + std::to_string(x) + "," + std::to_string(y) + "," +
          std::to_string(width) + "," + std::to_string(height) + "," + HandleText(source) + "," +
          std::to_string(sourceX) + "," + std::to_string(sourceY) + "," + std::to_string(rop) + ")");
}

void DrawIcon(Dc dc, int x, int y, Icon icon) {
  LogCall("DrawIcon(" + HandleText(dc) + "," + std::to_string(x) + "," + std::to_string(y) + "," +
          HandleText(icon) + ")");
}

GdiObject LoadImage(Instance, const char* name, unsigned type, int cx, int cy, unsigned flags) {
  LogCall(std::string("LoadImage(") + name + "," + std::to_string(type) + "," + std::to_string(cx) + "," +
          std::to_string(cy) + "," + std::to_string(flags) + ")");
  auto& gdi = Fake().gdi;
  auto it = gdi.images.find(name);
  if (it == gdi.images.end()) return nullptr;
  GdiObject bitmap = setupfake::NewGdiObject();
  gdi.loadedImages[bitmap] = it->second;
  return bitmap;
}

int GetDibHeader(GdiObject bitmap, DibHeader* header) {
  LogCall("GetDibHeader(" + HandleText(bitmap) + ")");
  auto& loaded = Fake().gdi.loadedImages;
  auto it = loaded.find(bitmap);
  if (it == loaded.end()) return 0;
  *header = it->second;
  return 1;
}

GdiObject CreateHalftonePalette(Dc dc) {
  LogCall("CreateHalftonePalette(" + HandleText(dc) + ")");
  return Fake().gdi.refusePalettes ? nullptr : setupfake::NewGdiObject();
}

unsigned GetDIBColorTable(Dc dc, unsigned start, unsigned count, void* table) {
  LogCall("GetDIBColorTable(" + HandleText(dc) + "," + std::to_string(start) + "," + std::to_string(count) + ")");
  auto& colours = Fake().gdi.colourTable;
  size_t available = colours.size() / 4;
  if (start >= available) return 0;
  size_t copied = std::min<size_t>(count, available - start);
  std::memcpy(table, colours.data() + 4 * start, 4 * copied);
  return static_cast<unsigned>(copied);
}

GdiObject CreatePalette(const void* logPalette) {
  auto bytes = static_cast<const uint8_t*>(logPalette);
  uint16_t count;
  std::memcpy(&count, bytes + 2, 2);
  LogCall("CreatePalette(" + std::to_string(count) + ")");
  auto& gdi = Fake().gdi;
  gdi.paletteBlocks.emplace_back(bytes, bytes + 4 + 4 * static_cast<size_t>(count));
  return gdi.refusePalettes ? nullptr : setupfake::NewGdiObject();
}

}  // namespace platform
