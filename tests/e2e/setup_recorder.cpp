// setup_recorder: stands in for the programs that the launcher's
// configuration names (the installer, the setup instructions, the about
// page). Started with any arguments, it appends one line to C:\launched.log,
// "<its own file name>|<its current directory>", and ends with status 0, so
// a scenario can tell which button started what, from where. It shows no
// window. Copies of it under different names tell the buttons apart.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  const char* name = std::strrchr(path, '\\');
  name = name ? name + 1 : path;
  char directory[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof directory, directory);

  char line[2 * MAX_PATH + 4];
  lstrcpyA(line, name);
  lstrcatA(line, "|");
  lstrcatA(line, directory);
  lstrcatA(line, "\r\n");
  HANDLE log = CreateFileA("C:\\launched.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(log, line, lstrlenA(line), &written, nullptr);
  CloseHandle(log);
  return 0;
}
