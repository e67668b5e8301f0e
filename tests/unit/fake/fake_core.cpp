// The fake's shared state, its reset, and the message box.
#include "fake_platform.h"

namespace fake {

State& Fake() {
  static State state;
  return state;
}

void ResetFake() { Fake() = State(); }

void LogCall(const std::string& line) { Fake().calls.push_back(line); }

}  // namespace fake

namespace platform {

int MessageBox(Window owner, const char* text, const char* caption, unsigned style) {
  fake::MessageBoxCall call{owner, text ? text : "", caption ? caption : "", style};
  fake::LogCall("MessageBox(" + call.caption + ")");
  auto& ui = fake::Fake().ui;
  ui.messageBoxes.push_back(call);
  if (ui.onMessageBox) ui.onMessageBox(call);
  if (ui.messageBoxAnswers.empty()) return 1;
  int answer = ui.messageBoxAnswers.front();
  ui.messageBoxAnswers.pop_front();
  return answer;
}

}  // namespace platform
