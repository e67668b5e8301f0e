// titled_window: a stand-in for other programs on the desktop in end-to-end
// scenarios. It shows one top-level window with the title given and runs a
// message loop, optionally as a stubborn copy of the application:
//
//   titled_window TITLE [--ignore-quit] [--hold FILE] [--log FILE]
//
//   --ignore-quit  a WM_QUIT that reaches the thread is noted and the loop
//                  goes on; without it the program ends on WM_QUIT.
//   --hold FILE    opens FILE for reading before the window appears and keeps
//                  it open to the end, sharing read and delete access but not
//                  write access, so nobody can rewrite the file meanwhile.
//   --log FILE     appends one line per event: "started", "quit" for each
//                  WM_QUIT received, "ended".
//
// The window's close box (WM_CLOSE) always ends the program, so a scenario
// can clean up a copy that ignores WM_QUIT.
//
// Exit status: 0 ended, 2 bad usage, 3 FILE could not be opened, 4 no window.
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

const char kWindowClass[] = "E2eTitledWindow";
const char* logPath = nullptr;

void Log(const char* line) {
  if (logPath == nullptr) return;
  HANDLE file = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
  WriteFile(file, "\r\n", 2, &written, nullptr);
  CloseHandle(file);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Log("ended");
      ExitProcess(0);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 2) return 2;
  const char* title = __argv[1];
  bool ignoreQuit = false;
  const char* holdPath = nullptr;
  for (int i = 2; i < __argc; ++i) {
    if (std::strcmp(__argv[i], "--ignore-quit") == 0) {
      ignoreQuit = true;
    } else if (std::strcmp(__argv[i], "--hold") == 0 && i + 1 < __argc) {
      holdPath = __argv[++i];
    } else if (std::strcmp(__argv[i], "--log") == 0 && i + 1 < __argc) {
      logPath = __argv[++i];
    } else {
      return 2;
    }
  }

  HANDLE held = INVALID_HANDLE_VALUE;
  if (holdPath != nullptr) {
    held = CreateFileA(holdPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 3;
  }

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, kWindowClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320, 120,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 4;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  Log("started");

  MSG message;
  for (;;) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      Log("quit");
      if (ignoreQuit) continue;
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  Log("ended");
  return 0;
}
