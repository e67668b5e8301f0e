// Asking running copies of the application to quit before the payload files
// are overwritten. A running copy is any top-level window, of any process,
// whose title begins with the product's display name (case-sensitive). The
// user is warned, then each such window gets WM_QUIT, with a fixed pause on
// either side; nothing checks whether a copy was running or has ended. A copy
// that is still holding a payload file makes the extraction fail, and the
// driver reports that.
#include "running_copies.h"

#include "format_text.h"
#include <cstring>

#include "product.h"
#include "winvalues.h"

namespace {

constexpr const char* CLOSING_CAPTION = "Closing Running Copies";
constexpr const char* CLOSING_WARNING_FORMAT =
    "Any copies of %s currently running must now be shut down. This may take a few seconds.";
// Before the enumeration the user has just closed the warning; after it, the
// copies get this long to handle WM_QUIT and let go of their files.
constexpr unsigned CLOSING_PAUSE_MS = 4000;

constexpr int WARNING_SIZE = 1024;
constexpr int TITLE_SIZE = 256;

char warningText[WARNING_SIZE];
// Reused for every window of the enumeration.
char titleText[TITLE_SIZE];

}  // namespace

void CloseRunningCopies() {
  FormatText(warningText, sizeof warningText, CLOSING_WARNING_FORMAT, productInfo.displayName);
  platform::MessageBox(nullptr, warningText, CLOSING_CAPTION, WIN_MB_OK | WIN_MB_ICONWARNING);
  platform::Sleep(CLOSING_PAUSE_MS);
  platform::EnumWindows(CloseCopyEnumProc, 0);
  platform::Sleep(CLOSING_PAUSE_MS);
}

int PLATFORM_CALLBACK CloseCopyEnumProc(platform::Window window, intptr_t) {
  // Cleared first: the buffer still holds the previous window's title, which
  // must not stand in for a title that could not be read.
  titleText[0] = '\0';
  platform::GetWindowText(window, titleText, TITLE_SIZE);
  titleText[TITLE_SIZE - 1] = '\0';
  const char* name = productInfo.displayName;
  const size_t nameLength = std::strlen(name);
  // An empty name would match every window on the desktop.
  if (nameLength > 0 && std::strncmp(titleText, name, nameLength) == 0) {
    platform::PostMessage(window, WIN_WM_QUIT, 0, 0);
  }
  return 1;  // always go on to the next window
}
