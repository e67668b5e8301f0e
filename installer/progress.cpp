// The progress window's dialog procedure and its text updates.
#include "progress.h"

#include "format_text.h"

#include "resource.h"
#include "winvalues.h"

char progressText[PROGRESS_TEXT_SIZE];

namespace {
constexpr const char* PROGRESS_FORMAT = "Percent Complete: %d%%";
}

intptr_t PLATFORM_CALLBACK ProgressDialogProc(platform::Window dialog, unsigned message, uintptr_t wParam,
                                              intptr_t) {
  if (message == WIN_WM_INITDIALOG) {
    // The template is not visible by itself: the window shows itself here.
    platform::ShowWindow(dialog, WIN_SW_SHOW);
    return 1;
  }
  if (message == WIN_WM_COMMAND && (wParam & 0xFFFF) == static_cast<uintptr_t>(WIN_IDCANCEL)) {
    // The close box hides the window; the installation goes on regardless.
    platform::EndDialog(dialog, 0);
  }
  return 0;
}

void UpdateProgressText(platform::Window dialog, const char*, int percent) {
  // At most 30 characters for any int: always fits the 256-byte buffer.
  FormatText(progressText, sizeof progressText, PROGRESS_FORMAT, percent);
  platform::SetDlgItemText(dialog, IDC_PROGRESS_TEXT, progressText);
}
