// The palette of the splash picture, worked out from the picture's header and
// colour table alone, and the placement of the icon while the launcher is
// minimised. No Win32 here: the platform side reads the header and the table
// and turns the result into a palette handle.
#pragma once

#include <cstddef>
#include <cstdint>

namespace splash {

// A palette holds at most this many colours; a picture with more gets the
// screen's halftone palette.
constexpr uint32_t kMaxPaletteColours = 256;
constexpr uint16_t kPaletteVersion = 0x300;

// One colour table entry of a device-independent bitmap, in file order
// (the layout of RGBQUAD).
struct ColourQuad {
  uint8_t rgbBlue;
  uint8_t rgbGreen;
  uint8_t rgbRed;
  uint8_t rgbReserved;
};

// One palette entry (the layout of PALETTEENTRY).
struct PaletteEntry {
  uint8_t peRed;
  uint8_t peGreen;
  uint8_t peBlue;
  uint8_t peFlags;
};

// The block that the platform makes a palette from (the layout of LOGPALETTE):
// palNumEntries entries follow the header.
struct LogPalette {
  uint16_t palVersion;
  uint16_t palNumEntries;
  PaletteEntry palPalEntry[1];
};

static_assert(sizeof(ColourQuad) == 4 && sizeof(PaletteEntry) == 4, "4-byte colour records");
static_assert(offsetof(LogPalette, palPalEntry) == 4, "entries follow a 4-byte header");

// The picture's number of colours: clrUsed when it is nonzero, otherwise
// 2 to the power of bitCount. Any count above kMaxPaletteColours comes back
// as kMaxPaletteColours + 1, so that no bit count (0 to 65535) and no stated
// count overflows a shift or a size.
uint32_t ColourCount(uint16_t bitCount, uint32_t clrUsed);

// Reads entries 0 to count - 1 of the picture's colour table into table (room
// for exactly count entries) and returns how many entries it copied.
using ReadColourTable = uint32_t (*)(void* context, uint32_t count, ColourQuad* table);
using Allocate = void* (*)(std::size_t bytes);
using Release = void (*)(void* block);

enum class PaletteKind {
  kNone,      // no palette: the picture is drawn with the display's palette
  kHalftone,  // the screen's halftone palette
  kTable,     // the picture's own colours, in `block`
};

struct PaletteChoice {
  PaletteKind kind;
  LogPalette* block;  // kTable only: owned by the caller, freed with FreeLogPalette
};

// Decides the palette of a picture with the given header fields.
// More than 256 colours: the halftone palette, and the table is not read.
// Otherwise the table of count entries is read through `read`, and the block
// holds the entries it returned, in table order, with every peFlags 0. A table
// that yields no entry (a picture deeper than 8 bits that states a small
// count) gets the halftone palette as well. When an allocation fails, there is
// no palette.
PaletteChoice ChooseSplashPalette(uint16_t bitCount, uint32_t clrUsed, ReadColourTable read,
                                  void* context, Allocate allocate = nullptr,
                                  Release release = nullptr);

// Frees a block that ChooseSplashPalette made with the same release function.
void FreeLogPalette(LogPalette* block, Release release = nullptr);

// Where the icon goes in a client area of the given size: centred, with the
// halves rounded up and the quotient truncated toward zero, so that a client
// width of 35 and an icon width of 32 give 2.
struct IconPosition {
  int x;
  int y;
};
IconPosition CentreIcon(int clientWidth, int clientHeight, int iconWidth, int iconHeight);

}  // namespace splash
