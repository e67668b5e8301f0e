// Reading the launcher's INI file, composing the caption, running commands.
// Values are only ever arguments of a format, never the format itself, so a
// "%" in them shows as it is; every formatted text is cut to its buffer.
#include "launcher_config.h"

#include "format_text.h"

#include "platform.h"
#include "winvalues.h"

char bitmapFileName[kValueSize];
char companyName[kValueSize];
char windowCaption[kValueSize];
char commandValue[kValueSize];

namespace {

constexpr const char* kBitmapKey = "Bitmap";
constexpr const char* kBitmapDefault = "Error";
constexpr const char* kCompanyKey = "CompanyName";
constexpr const char* kCompanyDefault = "Software";
constexpr const char* kCommandDefault = "Error in cdrun.ini";
constexpr const char* kCaptionFormat = "%s Installation";
constexpr const char* kShellVerb = "open";
constexpr const char* kErrorFormat =
    "An error occurred executing ''%s'': error code %d.\nPlease contact technical support.";
// The format's fixed text, a value of 1023 characters and any code fit.
constexpr unsigned kErrorTextSize = 2048;
constexpr unsigned kErrorStyle = WIN_MB_TASKMODAL | WIN_MB_ICONERROR;

}  // namespace

void ReadLauncherSettings() {
  platform::GetProfileString(kLauncherSection, kBitmapKey, kBitmapDefault, bitmapFileName, kValueSize,
                             kLauncherIniFile);
  platform::GetProfileString(kLauncherSection, kCompanyKey, kCompanyDefault, companyName, kValueSize,
                             kLauncherIniFile);
  FormatText(windowCaption, kValueSize, kCaptionFormat, companyName);
}

int RunConfiguredCommand(const char* key) {
  platform::GetProfileString(kLauncherSection, key, kCommandDefault, commandValue, kValueSize, kLauncherIniFile);
  int32_t result = platform::ShellExecute(nullptr, kShellVerb, commandValue, nullptr, nullptr, WIN_SW_SHOWNORMAL);
  if (result > 32) return 1;
  char errorText[kErrorTextSize];
  FormatText(errorText, sizeof errorText, kErrorFormat, commandValue, static_cast<int>(result));
  platform::MessageBox(nullptr, errorText, windowCaption, kErrorStyle);
  return 0;
}
