// setup_escape: presses Esc in a dialog of another program, the way the
// keyboard does: a WM_KEYDOWN / WM_KEYUP pair for VK_ESCAPE posted to the
// control that has the focus in the window with the exact CAPTION (its first
// child when the focus cannot be read), where the dialog's own message loop
// picks it up.
//
//   setup_escape CAPTION
//
// Exit status: 0 posted, 1 no such window, 2 bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HWND window = FindWindowA(nullptr, argv[1]);
  if (!window) return 1;
  HWND target = nullptr;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndFocus &&
      IsChild(window, info.hwndFocus)) {
    target = info.hwndFocus;
  }
  if (!target) target = GetWindow(window, GW_CHILD);
  if (!target) target = window;
  if (getenv("SETUP_ESCAPE_DEBUG")) {
    char cls[64] = "";
    GetClassNameA(target, cls, sizeof cls);
    fprintf(stderr, "focus %p active %p target %p id %d class %s dialog enabled %d\n", (void*)info.hwndFocus,
            (void*)info.hwndActive, (void*)target, GetDlgCtrlID(target), cls, IsWindowEnabled(window));
  }
  PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  return 0;
}
