// Seam: the INI file, the shell, the runtime library's exit.
#include <windows.h>
#include <shellapi.h>

#include "undef_names.h"

#include <cstdlib>

#include "platform.h"

namespace platform {

void GetProfileString(const char* section, const char* key, const char* defaultValue, char* buffer, unsigned size,
                      const char* fileName) {
  GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

int32_t ShellExecute(Window owner, const char* verb, const char* file, const char* parameters, const char* directory,
                     int show) {
  HINSTANCE result = ShellExecuteA(static_cast<HWND>(owner), verb, file, parameters, directory, show);
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(result));
}

void Exit(int status) { exit(status); }

}  // namespace platform
