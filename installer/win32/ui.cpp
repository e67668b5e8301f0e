// Seam: message boxes, dialogs and their controls, the message pump.
#include <windows.h>

#include "undef_names.h"
#include "platform.h"

namespace platform {

int MessageBox(Window owner, const char* text, const char* caption, unsigned style) {
  return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
}

intptr_t DialogBoxParam(Instance instance, int templateId, Window owner, DialogProc proc, intptr_t param) {
  return DialogBoxParamA(static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(templateId), static_cast<HWND>(owner),
                         reinterpret_cast<DLGPROC>(proc), param);
}

Window CreateDialogParam(Instance instance, int templateId, Window owner, DialogProc proc, intptr_t param) {
  return CreateDialogParamA(static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(templateId), static_cast<HWND>(owner),
                            reinterpret_cast<DLGPROC>(proc), param);
}

void ShowWindow(Window window, int show) { ::ShowWindow(static_cast<HWND>(window), show); }
void EndDialog(Window dialog, intptr_t result) { ::EndDialog(static_cast<HWND>(dialog), result); }
void DestroyWindow(Window window) { ::DestroyWindow(static_cast<HWND>(window)); }

void SetDlgItemText(Window dialog, int id, const char* text) { SetDlgItemTextA(static_cast<HWND>(dialog), id, text); }

void GetDlgItemText(Window dialog, int id, char* buffer, int size) {
  if (size <= 0) return;
  buffer[0] = '\0';
  GetDlgItemTextA(static_cast<HWND>(dialog), id, buffer, size);
}

void SetFocusToItem(Window dialog, int id) { SetFocus(GetDlgItem(static_cast<HWND>(dialog), id)); }

void DispatchPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace platform
