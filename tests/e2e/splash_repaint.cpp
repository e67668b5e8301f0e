// splash_repaint: makes another program's window paint itself again and
// again, for the end-to-end scenarios of the launcher's splash picture.
//
//   splash_repaint CAPTION COUNT
//
// Finds the visible top-level window captioned exactly CAPTION, then COUNT
// times marks its whole client area as needing paint and sends it WM_PAINT.
// SendMessage waits until the window's thread has handled the message, so
// every round is one complete paint. Prints the number of paints done and
// the milliseconds they took.
//
// Exit status: 0 done, 1 no such window (or it went away), 2 bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: splash_repaint CAPTION COUNT\n", stderr);
    return 2;
  }
  const long count = std::strtol(argv[2], nullptr, 10);
  if (count < 0) return 2;
  HWND window = FindWindowA(nullptr, argv[1]);
  if (!window || !IsWindowVisible(window)) {
    std::fprintf(stderr, "splash_repaint: no visible window \"%s\"\n", argv[1]);
    return 1;
  }
  const DWORD start = GetTickCount();
  long done = 0;
  for (; done < count; ++done) {
    if (!InvalidateRect(window, nullptr, FALSE)) break;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, WM_PAINT, 0, 0, SMTO_NORMAL, 10000, &result)) break;
  }
  std::printf("%ld paints in %lu ms\n", done, static_cast<unsigned long>(GetTickCount() - start));
  return done == count ? 0 : 1;
}
