// The "Setup Progress" window (template 109) that stands on screen while the
// payload is written, and the progress callback that updates its text.
#pragma once

#include <cstdint>

#include "platform.h"

constexpr int PROGRESS_TEXT_SIZE = 256;

extern char progressText[PROGRESS_TEXT_SIZE];

// Shows the window on WM_INITDIALOG; its close box (IDCANCEL) only hides it.
intptr_t PLATFORM_CALLBACK ProgressDialogProc(platform::Window dialog, unsigned message, uintptr_t wParam,
                                              intptr_t lParam);
// The ProgressCallback for ExtractPayload: "Percent Complete: N%" on the
// window's text line. The file name is not shown.
void UpdateProgressText(platform::Window dialog, const char* fileName, int percent);
