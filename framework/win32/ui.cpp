// Seam: the module, windows, dialogs, message boxes.
#include <windows.h>

#include "undef_names.h"
#include "platform.h"

namespace platform {

Instance ModuleInstance() { return GetModuleHandleA(nullptr); }

int MessageBox(Window owner, const char* text, const char* caption, unsigned style) {
  return MessageBoxA(static_cast<HWND>(owner), text, caption, style);
}

intptr_t DialogBoxParam(Instance instance, int templateId, Window owner, DialogProc proc, intptr_t param) {
  return DialogBoxParamA(static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(templateId), static_cast<HWND>(owner),
                         reinterpret_cast<DLGPROC>(proc), param);
}

void EndDialog(Window dialog, intptr_t result) { ::EndDialog(static_cast<HWND>(dialog), result); }

intptr_t SendMessage(Window window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  return SendMessageA(static_cast<HWND>(window), message, wParam, lParam);
}

void SetWindowText(Window window, const char* text) { SetWindowTextA(static_cast<HWND>(window), text); }

void SetDialogData(Window dialog, intptr_t value) { SetWindowLongPtrA(static_cast<HWND>(dialog), DWLP_USER, value); }

intptr_t GetDialogData(Window dialog) { return GetWindowLongPtrA(static_cast<HWND>(dialog), DWLP_USER); }

Icon LoadIcon(Instance instance, int id) { return LoadIconA(static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(id)); }

int IsIconic(Window window) { return ::IsIconic(static_cast<HWND>(window)); }

void GetClientRect(Window window, Rect* rect) {
  static_assert(sizeof(Rect) == sizeof(RECT), "Rect has the layout of RECT");
  ::GetClientRect(static_cast<HWND>(window), reinterpret_cast<RECT*>(rect));
}

int GetSystemMetrics(int index) { return ::GetSystemMetrics(index); }

}  // namespace platform
