// The launcher's only door to the operating system: one function per platform
// operation that the framework layer and the launcher use, named after it,
// taking and returning plain values. framework/win32/*.cpp forwards each one
// to Win32 or the runtime library and decides nothing; the host tests link a
// scripted fake (tests/unit/setup/fake_*.cpp) in its place. Append new
// operations at the end of their group; never change the meaning of an
// existing one.
#pragma once

#include <cstddef>
#include <cstdint>

// Callbacks that Win32 calls (the dialog procedure) use its calling
// convention, which on 32-bit x86 is stdcall.
#if defined(_WIN32) && !defined(_WIN64)
#define PLATFORM_CALLBACK __attribute__((stdcall))
#else
#define PLATFORM_CALLBACK
#endif

namespace platform {

using Window = void*;     // an HWND, opaque to the logic
using Instance = void*;   // an HINSTANCE
using Icon = void*;       // an HICON
using Dc = void*;         // an HDC
using GdiObject = void*;  // an HGDIOBJ: HBITMAP or HPALETTE

// A dialog procedure: same shape and calling convention as a Win32 DLGPROC.
using DialogProc = intptr_t(PLATFORM_CALLBACK*)(Window dialog, unsigned message, uintptr_t wParam, intptr_t lParam);

struct Rect {
  int32_t left, top, right, bottom;  // the layout of RECT
};

// Room for the platform's paint record (PAINTSTRUCT) between BeginPaint and
// EndPaint; the logic never looks inside.
struct PaintStruct {
  alignas(8) unsigned char storage[80];
};

// The header fields of a loaded device-independent bitmap section.
struct DibHeader {
  int32_t width;
  int32_t height;
  uint16_t bitCount;  // biBitCount
  uint32_t clrUsed;   // biClrUsed, 0 when the file states no count
};

// ---- Process, windows, dialogs and message boxes ----
// The module of the running program (GetModuleHandleA(NULL)).
Instance ModuleInstance();
int MessageBox(Window owner, const char* text, const char* caption, unsigned style);
// Modal dialog from a numbered template; returns the EndDialog value, or -1
// when the dialog could not be shown at all.
intptr_t DialogBoxParam(Instance instance, int templateId, Window owner, DialogProc proc, intptr_t param);
void EndDialog(Window dialog, intptr_t result);
intptr_t SendMessage(Window window, unsigned message, uintptr_t wParam, intptr_t lParam);
void SetWindowText(Window window, const char* text);
// The dialog's own slot for a value (DWLP_USER).
void SetDialogData(Window dialog, intptr_t value);
intptr_t GetDialogData(Window dialog);
// LoadIconA(instance, MAKEINTRESOURCE(id)); null when there is none.
Icon LoadIcon(Instance instance, int id);
int IsIconic(Window window);
void GetClientRect(Window window, Rect* rect);
int GetSystemMetrics(int index);

// ---- Painting and GDI objects ----
Dc BeginPaint(Window window, PaintStruct* paint);
void EndPaint(Window window, const PaintStruct* paint);
// GetDC / ReleaseDC; a null window means the whole screen.
Dc GetDC(Window window);
void ReleaseDC(Window window, Dc dc);
Dc CreateCompatibleDC(Dc dc);
void DeleteDC(Dc dc);
// Returns the object that was selected before, or null when nothing changed.
GdiObject SelectObject(Dc dc, GdiObject object);
void DeleteObject(GdiObject object);
GdiObject SelectPalette(Dc dc, GdiObject palette, int forceBackground);
unsigned RealizePalette(Dc dc);
int GetDeviceCaps(Dc dc, int index);
void BitBlt(Dc dest, int x, int y, int width, int height, Dc source, int sourceX, int sourceY, uint32_t rop);
void DrawIcon(Dc dc, int x, int y, Icon icon);
// LoadImageA(instance, name, type, cx, cy, flags); null when it fails.
GdiObject LoadImage(Instance instance, const char* name, unsigned type, int cx, int cy, unsigned flags);
// GetObjectA(bitmap, sizeof(DIBSECTION), ...) reduced to the header fields;
// 0 when the object is not a bitmap section.
int GetDibHeader(GdiObject bitmap, DibHeader* header);
GdiObject CreateHalftonePalette(Dc dc);
// GetDIBColorTable: copies up to count entries in the RGBQUAD layout (4 bytes
// each: blue, green, red, reserved) into table; returns how many it copied.
unsigned GetDIBColorTable(Dc dc, unsigned start, unsigned count, void* table);
// CreatePalette from a block in the LOGPALETTE layout (16-bit version,
// 16-bit count, then count 4-byte entries: red, green, blue, flags).
GdiObject CreatePalette(const void* logPalette);

// ---- Configuration, the shell, the runtime library ----
// GetPrivateProfileStringA; the count that it returns is not used.
void GetProfileString(const char* section, const char* key, const char* defaultValue, char* buffer, unsigned size,
                      const char* fileName);
// ShellExecuteA; its result read as a signed 32-bit integer: greater than 32
// on success, otherwise the shell's code for the refusal.
int32_t ShellExecute(Window owner, const char* verb, const char* file, const char* parameters,
                     const char* directory, int show);
// exit(status): runs the exit processing and ends the process. (The host fake
// records the status and returns, so callers must not rely on it not
// returning.)
void Exit(int status);

}  // namespace platform
