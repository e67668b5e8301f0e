// Dialogs and dialog controls. Stand-in: logs and answers nothing useful yet.
#include "fake_platform.h"

namespace platform {

intptr_t DialogBoxParam(Instance, int templateId, Window, DialogProc, intptr_t) {
  fake::LogCall("DialogBoxParam(" + std::to_string(templateId) + ")");
  return 0;
}
Window CreateDialogParam(Instance, int templateId, Window, DialogProc, intptr_t) {
  fake::LogCall("CreateDialogParam(" + std::to_string(templateId) + ")");
  return nullptr;
}
void ShowWindow(Window, int show) { fake::LogCall("ShowWindow(" + std::to_string(show) + ")"); }
void EndDialog(Window, intptr_t result) { fake::LogCall("EndDialog(" + std::to_string(result) + ")"); }
void DestroyWindow(Window) { fake::LogCall("DestroyWindow"); }
void SetDlgItemText(Window, int id, const char* text) {
  fake::LogCall("SetDlgItemText(" + std::to_string(id) + "," + text + ")");
}
void GetDlgItemText(Window, int id, char* buffer, int size) {
  fake::LogCall("GetDlgItemText(" + std::to_string(id) + ")");
  if (size > 0) buffer[0] = '\0';
}
void SetFocusToItem(Window, int id) { fake::LogCall("SetFocusToItem(" + std::to_string(id) + ")"); }
void DispatchPendingMessages() {}

}  // namespace platform
