// The program's entry: hands over to InstallerMain, whose result (always 0)
// becomes the exit status.
#include <windows.h>

#include "driver.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  return InstallerMain(instance, previous, commandLine, show);
}
