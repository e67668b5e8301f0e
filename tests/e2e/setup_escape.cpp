// setup_escape: presses Esc in a dialog of another program, the way the
// keyboard does: a WM_KEYDOWN / WM_KEYUP pair for VK_ESCAPE posted to the
// control that has the focus in the visible window with the exact CAPTION
// (its first child when no control of it has the focus), where the dialog's
// own message loop picks it up.
//
//   setup_escape CAPTION
//
// It first waits (at most 15 s) until the window is enabled: a message box
// that has just been answered may hold it disabled for a moment, and a key
// that arrives then is lost in the box's own message loop.
//
// Exit status: 0 posted, 1 no such window, 2 bad usage.
#include <windows.h>

namespace {

struct Search {
  const char* caption;
  HWND found;
};

// The first visible top-level window with exactly the caption (hidden ones,
// such as a message box on its way out, may carry the same caption).
BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char title[512];
  if (!IsWindowVisible(window) || !GetWindowTextA(window, title, sizeof title)) return TRUE;
  if (lstrcmpA(title, search->caption) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Search search{argv[1], nullptr};
  EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
  HWND window = search.found;
  if (!window) return 1;
  for (int tries = 0; tries < 300 && !IsWindowEnabled(window); ++tries) Sleep(50);
  HWND target = nullptr;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus &&
      IsChild(window, info.hwndFocus)) {
    target = info.hwndFocus;
  }
  if (!target) target = GetWindow(window, GW_CHILD);
  if (!target) target = window;
  PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  return 0;
}
