// Programs, windows of other programs, time: a scripted desktop of top-level
// windows that EnumWindows walks in order, titles copied as GetWindowTextA
// copies them, and posted messages and pauses recorded.
#include <algorithm>
#include <cstring>

#include "fake_platform.h"

namespace fake {

platform::Window AddTopLevelWindow(const std::string& title, bool titleReadable) {
  auto& windows = Fake().windows.topLevel;
  // Distinct, non-null and never dereferenced.
  auto handle = reinterpret_cast<platform::Window>(static_cast<uintptr_t>(0x1000 + 0x10 * windows.size()));
  windows.push_back(TopLevelWindow{handle, title, titleReadable});
  return handle;
}

static const TopLevelWindow* Find(platform::Window window) {
  for (const auto& w : Fake().windows.topLevel) {
    if (w.handle == window) return &w;
  }
  return nullptr;
}

std::string TitleOf(platform::Window window) {
  const TopLevelWindow* w = Find(window);
  return w ? w->title : "<unknown window>";
}

}  // namespace fake

namespace platform {

void WinExec(const char* commandLine, int show) {
  fake::LogCall(std::string("WinExec(") + commandLine + "," + std::to_string(show) + ")");
}

void EnumWindows(EnumWindowsProc proc, intptr_t value) {
  fake::LogCall("EnumWindows");
  // A copy: the callback may not change the desktop under the walk.
  const std::vector<fake::TopLevelWindow> windows = fake::Fake().windows.topLevel;
  for (const auto& w : windows) {
    fake::Fake().windows.enumerated.push_back(w.handle);
    if (!proc(w.handle, value)) break;
  }
}

void GetWindowText(Window window, char* buffer, int size) {
  fake::LogCall("GetWindowText(" + fake::TitleOf(window) + "," + std::to_string(size) + ")");
  const fake::TopLevelWindow* w = fake::Find(window);
  if (!w || !w->titleReadable || size <= 0) return;
  // As GetWindowTextA: at most size - 1 characters, then a NUL.
  const size_t count = std::min(w->title.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, w->title.data(), count);
  buffer[count] = '\0';
}

void PostMessage(Window window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  fake::LogCall("PostMessage(" + fake::TitleOf(window) + "," + std::to_string(message) + "," +
                std::to_string(wParam) + "," + std::to_string(lParam) + ")");
  fake::Fake().windows.posted.push_back(fake::PostedMessage{window, message, wParam, lParam});
}

void Sleep(unsigned milliseconds) { fake::LogCall("Sleep(" + std::to_string(milliseconds) + ")"); }

}  // namespace platform
