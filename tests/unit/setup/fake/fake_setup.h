// The scripted fake of the launcher's platform seam. Every call is logged as
// one line of text in the order it was made; answers come from scripts that a
// test fills before it runs the logic. Reset() restores the defaults. Each
// group of operations keeps its state in its own struct below, and its
// functions in its own fake_*.cpp.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform.h"

namespace setupfake {

// The window handle that the fake gives every dialog, and the icon handle.
inline platform::Window const kDialogWindow = reinterpret_cast<platform::Window>(0xD1A0);
inline platform::Icon const kSetupIcon = reinterpret_cast<platform::Icon>(0x1C0);

struct MessageBoxCall {
  platform::Window owner;
  std::string text;
  std::string caption;
  unsigned style;
};

struct SentMessage {
  platform::Window window;
  unsigned message;
  uintptr_t wParam;
  intptr_t lParam;
};

struct UiState {
  std::vector<MessageBoxCall> messageBoxes;
  std::deque<int> messageBoxAnswers;  // popped per box; IDOK (1) when empty
  std::function<void(const MessageBoxCall&)> onMessageBox;
  // Runs inside DialogBoxParam with the dialog procedure and the creation
  // parameter; its value is DialogBoxParam's. Unset: WM_INITDIALOG, then the
  // value given to EndDialog, or IDCANCEL (2).
  std::function<intptr_t(platform::DialogProc, platform::Window, intptr_t)> runDialog;
  std::vector<int> dialogTemplates;
  std::vector<intptr_t> endDialogResults;
  std::map<platform::Window, intptr_t> dialogData;
  std::vector<SentMessage> sentMessages;
  std::vector<std::string> windowTexts;  // every SetWindowText, in order
  int iconic = 0;
  platform::Rect clientRect{0, 0, 404, 282};
  std::map<int, int> systemMetrics{{11, 32}, {12, 32}};
};

struct ShellCall {
  platform::Window owner;
  std::string verb;
  std::string file;
  bool hasParameters;
  bool hasDirectory;
  int show;
};

struct SystemState {
  // INI files by name, as text; read afresh at every GetProfileString.
  std::map<std::string, std::string> iniFiles;
  std::vector<ShellCall> shellCalls;
  std::deque<int32_t> shellResults;  // popped per call; 42 (accepted) when empty
  std::vector<int> exitStatuses;     // every Exit, which returns in the fake
};

// GDI objects are numbered handles. Every device context remembers what it
// holds selected; deleting an object that a live context holds, or ending a
// context that still holds one of the test's objects, is recorded as a fault.
struct GdiState {
  uintptr_t nextHandle = 0x1000;
  struct Context {
    platform::GdiObject bitmap;   // starts as the context's own stock bitmap
    platform::GdiObject palette;  // starts as the stock palette
    bool live = true;
  };
  std::map<platform::Dc, Context> contexts;
  std::set<platform::GdiObject> stockObjects;
  std::set<platform::GdiObject> liveObjects;    // made and not yet deleted
  std::vector<platform::GdiObject> deleted;     // every DeleteObject, in order
  std::vector<std::string> faults;
  int deviceCaps = 0;                           // GetDeviceCaps answer for RASTERCAPS
  // LoadImage: name -> header of the loaded picture; other names fail.
  std::map<std::string, platform::DibHeader> images;
  std::map<platform::GdiObject, platform::DibHeader> loadedImages;
  std::vector<platform::Dc> openPaints;         // BeginPaint contexts not yet ended
  std::vector<uint8_t> colourTable;             // RGBQUAD bytes of every loaded picture
  bool refusePalettes = false;
  std::vector<std::vector<uint8_t>> paletteBlocks;  // every CreatePalette block (header + entries)
};

struct State {
  std::vector<std::string> calls;  // every seam call, in order
  UiState ui;
  SystemState system;
  GdiState gdi;
};

State& Fake();
void Reset();
void LogCall(const std::string& line);

// A handle the fake made, as text for the call log ("#4096").
std::string HandleText(const void* handle);
// Makes a new GDI object handle that counts as live.
platform::GdiObject NewGdiObject();

}  // namespace setupfake
