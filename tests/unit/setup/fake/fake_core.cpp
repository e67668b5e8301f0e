// The fake's shared state, its reset, and the call log.
#include "fake_setup.h"

namespace setupfake {

State& Fake() {
  static State state;
  return state;
}

void Reset() { Fake() = State(); }

void LogCall(const std::string& line) { Fake().calls.push_back(line); }

std::string HandleText(const void* handle) { return "#" + std::to_string(reinterpret_cast<uintptr_t>(handle)); }

platform::GdiObject NewGdiObject() {
  auto& gdi = Fake().gdi;
  auto handle = reinterpret_cast<platform::GdiObject>(gdi.nextHandle++);
  gdi.liveObjects.insert(handle);
  return handle;
}

}  // namespace setupfake
