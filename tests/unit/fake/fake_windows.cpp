// Programs, windows of other programs, time. Stand-in: no windows.
#include "fake_platform.h"

namespace platform {

void WinExec(const char* commandLine, int show) {
  fake::LogCall(std::string("WinExec(") + commandLine + "," + std::to_string(show) + ")");
}
void EnumWindows(EnumWindowsProc, intptr_t) { fake::LogCall("EnumWindows"); }
void GetWindowText(Window, char* buffer, int size) { if (size > 0) buffer[0] = '\0'; }
void PostMessage(Window, unsigned message, uintptr_t, intptr_t) {
  fake::LogCall("PostMessage(" + std::to_string(message) + ")");
}
void Sleep(unsigned milliseconds) { fake::LogCall("Sleep(" + std::to_string(milliseconds) + ")"); }

}  // namespace platform
