// Brevio Paper, the sample application that the installer carries: one
// window titled "Brevio Paper" with a short greeting. It ends when its window
// is closed or when a WM_QUIT message reaches its thread (the installer posts
// one to every running copy before it overwrites the files). Started with
// -icon, as the Startup group item does, it comes up minimised.
#include <windows.h>

namespace {

const char kWindowClass[] = "BrevioPaperWindow";
const char kTitle[] = "Brevio Paper";
const char kGreeting[] = "Brevio Paper is installed and running.";
const char kHint[] = "Its help page brevio.htm is in the same directory.";

// True when the command line holds the word -icon (in any case).
bool WantsIcon(const char* commandLine) {
  const char* p = commandLine;
  while (*p != '\0') {
    while (*p == ' ' || *p == '\t') ++p;
    const char* word = p;
    while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
    if (p - word == 5) {
      char copy[6];
      lstrcpynA(copy, word, sizeof copy);
      if (lstrcmpiA(copy, "-icon") == 0) return true;
    }
  }
  return false;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      SetBkMode(dc, TRANSPARENT);
      TextOutA(dc, 16, 16, kGreeting, lstrlenA(kGreeting));
      TextOutA(dc, 16, 40, kHint, lstrlenA(kHint));
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  if (windowClass.hIcon == nullptr) windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = kWindowClass;
  if (RegisterClassA(&windowClass) == 0) return 1;

  HWND window = CreateWindowExA(0, kWindowClass, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 420, 160,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, WantsIcon(commandLine) ? SW_SHOWMINNOACTIVE : show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
