// The program's entry: the framework runs the application object, whose
// result becomes the exit status.
#include <windows.h>

int RunApplication();

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunApplication(); }
