// Windows, dialogs and message boxes.
#include "fake_setup.h"

using setupfake::Fake;
using setupfake::LogCall;

namespace platform {

Instance ModuleInstance() { return reinterpret_cast<Instance>(0x400000); }

int MessageBox(Window owner, const char* text, const char* caption, unsigned style) {
  setupfake::MessageBoxCall call{owner, text ? text : "", caption ? caption : "", style};
  LogCall("MessageBox(" + call.caption + ")");
  auto& ui = Fake().ui;
  ui.messageBoxes.push_back(call);
  if (ui.onMessageBox) ui.onMessageBox(call);
  if (ui.messageBoxAnswers.empty()) return 1;
  int answer = ui.messageBoxAnswers.front();
  ui.messageBoxAnswers.pop_front();
  return answer;
}

intptr_t DialogBoxParam(Instance, int templateId, Window owner, DialogProc proc, intptr_t param) {
  LogCall("DialogBoxParam(" + std::to_string(templateId) + ")");
  auto& ui = Fake().ui;
  ui.dialogTemplates.push_back(templateId);
  (void)owner;
  if (ui.runDialog) return ui.runDialog(proc, setupfake::kDialogWindow, param);
  proc(setupfake::kDialogWindow, 0x0110, 0, param);
  return ui.endDialogResults.empty() ? 2 : ui.endDialogResults.back();
}

void EndDialog(Window, intptr_t result) {
  LogCall("EndDialog(" + std::to_string(result) + ")");
  Fake().ui.endDialogResults.push_back(result);
}

intptr_t SendMessage(Window window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  LogCall("SendMessage(" + std::to_string(message) + "," + std::to_string(wParam) + ")");
  Fake().ui.sentMessages.push_back({window, message, wParam, lParam});
  return 0;
}

void SetWindowText(Window, const char* text) {
  LogCall(std::string("SetWindowText(") + text + ")");
  Fake().ui.windowTexts.push_back(text);
}

void SetDialogData(Window dialog, intptr_t value) { Fake().ui.dialogData[dialog] = value; }

intptr_t GetDialogData(Window dialog) {
  auto& data = Fake().ui.dialogData;
  auto it = data.find(dialog);
  return it == data.end() ? 0 : it->second;
}

Icon LoadIcon(Instance, int id) {
  LogCall("LoadIcon(" + std::to_string(id) + ")");
  return id == 140 ? setupfake::kSetupIcon : nullptr;
}

int IsIconic(Window) { return Fake().ui.iconic; }

void GetClientRect(Window, Rect* rect) { *rect = Fake().ui.clientRect; }

int GetSystemMetrics(int index) {
  auto& metrics = Fake().ui.systemMetrics;
  auto it = metrics.find(index);
  return it == metrics.end() ? 0 : it->second;
}

}  // namespace platform
