// Seam: environment, directories, the INI file, files and memory, programs,
// other programs' windows, time. Runtime-library calls are msvcrt's.
#include <windows.h>

#include "undef_names.h"

#include <direct.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>

#include "platform.h"

namespace platform {

const char* GetEnv(const char* name) { return getenv(name); }
int ChangeDirectory(const char* path) { return _chdir(path) == 0 ? 0 : -1; }
int MakeDirectory(const char* path) { return _mkdir(path) == 0 ? 0 : -1; }

int StatPath(const char* path, unsigned* mode) {
  struct _stat status;
  if (_stat(path, &status) != 0) return -1;
  *mode = status.st_mode;
  return 0;
}

void GetProfileString(const char* section, const char* key, const char* defaultValue, char* buffer, unsigned size,
                      const char* fileName) {
  GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

void WriteProfileString(const char* section, const char* key, const char* value, const char* fileName) {
  WritePrivateProfileStringA(section, key, value, fileName);
}

File* OpenFile(const char* name, const char* mode) { return reinterpret_cast<File*>(fopen(name, mode)); }
size_t WriteFile(const void* data, size_t size, size_t count, File* file) {
  return fwrite(data, size, count, reinterpret_cast<FILE*>(file));
}
int CloseFile(File* file) { return fclose(reinterpret_cast<FILE*>(file)); }
int RemoveFile(const char* name) { return remove(name); }
void* AllocateMemory(size_t size) { return malloc(size); }
void FreeMemory(void* block) { free(block); }

void WinExec(const char* commandLine, int show) { ::WinExec(commandLine, show); }

void EnumWindows(EnumWindowsProc proc, intptr_t value) {
  ::EnumWindows(reinterpret_cast<WNDENUMPROC>(proc), value);
}

void GetWindowText(Window window, char* buffer, int size) {
  if (size <= 0) return;
  buffer[0] = '\0';
  GetWindowTextA(static_cast<HWND>(window), buffer, size);
}

void PostMessage(Window window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  PostMessageA(static_cast<HWND>(window), message, wParam, lParam);
}

void Sleep(unsigned milliseconds) { ::Sleep(milliseconds); }

}  // namespace platform
