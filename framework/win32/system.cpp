// Seam: the INI file, the shell, the runtime library's exit.
#include <windows.h>
#include <shellapi.h>

#include "undef_names.h"

#include <cstdlib>
#include <cstring>

#include "platform.h"

namespace platform {

void GetProfileString(const char* section, const char* key, const char* defaultValue, char* buffer, unsigned size,
                      const char* fileName) {
  GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

int32_t ShellExecute(Window owner, const char* verb, const char* file, const char* parameters, const char* directory,
                     int show) {
  // The shell's ANSI entry takes names shorter than MAX_PATH; a longer one
  // names no file that it can open. Wine's shell overruns a stack buffer on
  // names of about a thousand characters (a configured value may hold 1023),
  // so such a name gets the shell's answer for a missing file without a call.
  if (file && std::strlen(file) >= MAX_PATH) return SE_ERR_FNF;
  HINSTANCE result = ShellExecuteA(static_cast<HWND>(owner), verb, file, parameters, directory, show);
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(result));
}

void Exit(int status) { exit(status); }

}  // namespace platform
