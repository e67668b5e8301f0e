// Window titles of other programs, of any length and content: the desktop
// holds one top-level window per input field, and CloseRunningCopies must
// post WM_QUIT to exactly those whose title (as far as its 256-byte buffer
// reaches) begins with the display name, and to no window whose title could
// not be read.
//
// Input: a switch byte, then NUL-separated fields: the display name, then one
// title per window. Switches: 0 the display name comes from the input (else
// "Brevio Paper"); bits 1 to 7 make the title of window 1 to 7 unreadable.
#include <cstring>
#include <string>

#include "fake_platform.h"
#include "fuzz_input.h"
#include "fuzz_product.h"
#include "running_copies.h"
#include "winvalues.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzinput::Input input = fuzzinput::Split(data, size, 64);
  const std::string displayName = input.Flag(0) ? input.Field(0).substr(0, fuzzproduct::kNameSize - 1) : "Brevio Paper";
  fuzzproduct::Reset();
  fuzzproduct::Set("Brevio", displayName, "brevio.exe", "-icon");

  fake::ResetFake();
  std::vector<platform::Window> expected;
  for (size_t i = 1; i < input.fields.size(); ++i) {
    const bool readable = i > 7 || !input.Flag(static_cast<int>(i));
    const std::string& title = input.fields[i];
    platform::Window window = fake::AddTopLevelWindow(title, readable);
    const std::string seen = title.substr(0, 255);  // what GetWindowTextA gives into 256 bytes
    if (readable && !displayName.empty() && seen.compare(0, displayName.size(), displayName) == 0)
      expected.push_back(window);
  }

  CloseRunningCopies();

  auto& fake = fake::Fake();
  FUZZ_CHECK(fake.windows.enumerated.size() == (input.fields.empty() ? 0 : input.fields.size() - 1));
  FUZZ_CHECK(fake.windows.posted.size() == expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    FUZZ_CHECK(fake.windows.posted[i].window == expected[i]);
    FUZZ_CHECK(fake.windows.posted[i].message == WIN_WM_QUIT);
  }
  // The warning names the product, cut to its buffer, before anything is posted.
  const std::string warning =
      "Any copies of " + displayName + " currently running must now be shut down. This may take a few seconds.";
  FUZZ_CHECK(fake.ui.messageBoxes.size() == 1);
  FUZZ_CHECK(fake.ui.messageBoxes[0].text == warning.substr(0, 1023));
  FUZZ_CHECK(fake.ui.messageBoxes[0].caption == "Closing Running Copies");
  return 0;
}
