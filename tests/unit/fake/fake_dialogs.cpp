// Dialogs and dialog controls: every dialog is a FakeDialog that keeps its
// procedure, visibility and control texts; modal dialogs are driven by the
// scripts a test queues (DialogsState::dialogScripts).
#include "fake_platform.h"
#include "winvalues.h"

namespace fake {

FakeDialog* DialogOf(platform::Window dialog) {
  auto& dialogs = Fake().dialogs.dialogs;
  auto index = reinterpret_cast<uintptr_t>(dialog);
  if (index == 0 || index > dialogs.size()) return nullptr;
  return &dialogs[index - 1];
}

intptr_t SendToDialog(platform::Window dialog, unsigned message, uintptr_t wParam, intptr_t lParam) {
  FakeDialog* state = DialogOf(dialog);
  if (!state || state->destroyed || !state->proc) return 0;
  return state->proc(dialog, message, wParam, lParam);
}

void TypeIntoItem(platform::Window dialog, int id, const std::string& text) {
  if (FakeDialog* state = DialogOf(dialog)) state->itemTexts[id] = text;
}

namespace {

platform::Window MakeDialog(int templateId, platform::DialogProc proc, bool modal) {
  auto& dialogs = Fake().dialogs.dialogs;
  FakeDialog state;
  state.templateId = templateId;
  state.proc = proc;
  state.modal = modal;
  dialogs.push_back(state);
  return reinterpret_cast<platform::Window>(static_cast<uintptr_t>(dialogs.size()));
}

}  // namespace
}  // namespace fake

namespace platform {

intptr_t DialogBoxParam(Instance, int templateId, Window, DialogProc proc, intptr_t param) {
  fake::LogCall("DialogBoxParam(" + std::to_string(templateId) + ")");
  auto& scripts = fake::Fake().dialogs.dialogScripts;
  if (scripts.empty()) return -1;
  fake::DialogScript script = scripts.front();
  scripts.pop_front();
  Window dialog = fake::MakeDialog(templateId, proc, true);
  fake::DialogOf(dialog)->visible = true;
  fake::SendToDialog(dialog, WIN_WM_INITDIALOG, 0, param);
  script(dialog);
  fake::FakeDialog* state = fake::DialogOf(dialog);
  if (!state->ended) return -1;
  state->destroyed = true;
  return state->endResult;
}

Window CreateDialogParam(Instance, int templateId, Window, DialogProc proc, intptr_t param) {
  fake::LogCall("CreateDialogParam(" + std::to_string(templateId) + ")");
  Window dialog = fake::MakeDialog(templateId, proc, false);
  fake::SendToDialog(dialog, WIN_WM_INITDIALOG, 0, param);
  return dialog;
}

void ShowWindow(Window window, int show) {
  fake::LogCall("ShowWindow(" + std::to_string(show) + ")");
  if (fake::FakeDialog* state = fake::DialogOf(window)) state->visible = show != 0;
}

void EndDialog(Window dialog, intptr_t result) {
  fake::LogCall("EndDialog(" + std::to_string(result) + ")");
  if (fake::FakeDialog* state = fake::DialogOf(dialog)) {
    state->ended = true;
    state->endResult = result;
    state->visible = false;
  }
}

void DestroyWindow(Window window) {
  fake::LogCall("DestroyWindow");
  if (fake::FakeDialog* state = fake::DialogOf(window)) {
    state->destroyed = true;
    state->visible = false;
  }
}

void SetDlgItemText(Window dialog, int id, const char* text) {
  fake::LogCall("SetDlgItemText(" + std::to_string(id) + "," + text + ")");
  fake::Fake().dialogs.itemTexts.push_back(fake::ItemTextCall{dialog, id, text});
  fake::FakeDialog* state = fake::DialogOf(dialog);
  if (state && !state->destroyed) state->itemTexts[id] = text;
}

void GetDlgItemText(Window dialog, int id, char* buffer, int size) {
  fake::LogCall("GetDlgItemText(" + std::to_string(id) + ")");
  if (size <= 0) return;
  std::string text;
  fake::FakeDialog* state = fake::DialogOf(dialog);
  if (state && state->itemTexts.count(id)) text = state->itemTexts[id];
  text = text.substr(0, static_cast<size_t>(size) - 1);
  text.copy(buffer, text.size());
  buffer[text.size()] = '\0';
}

void SetFocusToItem(Window, int id) { fake::LogCall("SetFocusToItem(" + std::to_string(id) + ")"); }

void DispatchPendingMessages() {
  auto& dialogs = fake::Fake().dialogs;
  ++dialogs.dispatchCount;
  if (dialogs.onDispatch) dialogs.onDispatch();
}

}  // namespace platform
