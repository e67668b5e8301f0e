// The scripted fake of the installer's platform seam. Every call is logged as
// one line of text in the order it was made; answers come from scripts that a
// test fills before it runs the logic. ResetFake() restores the defaults.
// Each group of operations keeps its state in its own struct below, and its
// functions in its own fake_*.cpp.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform.h"

namespace fake {

struct MessageBoxCall {
  platform::Window owner;
  std::string text;
  std::string caption;
  unsigned style;
};

struct UiState {
  std::vector<MessageBoxCall> messageBoxes;
  std::deque<int> messageBoxAnswers;  // popped per box; IDOK (1) when empty
  // Optional hook run inside each MessageBox before the answer is returned
  // (e.g. to deliver messages to a window while a box is "open").
  std::function<void(const MessageBoxCall&)> onMessageBox;
};

struct State {
  std::vector<std::string> calls;  // every seam call, in order
  UiState ui;
};

State& Fake();
void ResetFake();
void LogCall(const std::string& line);

}  // namespace fake
