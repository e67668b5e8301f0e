// The installer's control flow: data directory, progress window, running
// copies, extraction, the outcome, the Program Manager group, the INI record
// and the offer to start the application. Every path returns 0.
#include "driver.h"

#include <cstdarg>
#include "format_text.h"

#include "datadir.h"
#include "driver_stages.h"
#include "extract.h"
#include "product.h"
#include "progman.h"
#include "progress.h"
#include "resource.h"
#include "running_copies.h"
#include "winvalues.h"

char exePath[COMPOSED_PATH_SIZE];
char startupCommand[COMPOSED_PATH_SIZE];
char uninstallerPath[COMPOSED_PATH_SIZE];

InstallerStages installerStages = {ChooseDataDirectory, CloseRunningCopies, RegisterProgmanGroups};

namespace {

// Either the failure caption or the success question: a run needs only one.
char messageText[COMPOSED_PATH_SIZE];
// exePath in double quotes, so that blanks in dataDir cannot make Windows
// start C:\Program.exe or the like.
char launchCommand[COMPOSED_PATH_SIZE];

constexpr const char* EXE_PATH_FORMAT = "%s\\%s";
constexpr const char* STARTUP_COMMAND_FORMAT = "\"%s\\%s\" %s";
constexpr const char* UNINSTALLER_PATH_FORMAT = "%s\\uninst.exe";
constexpr const char* LAUNCH_COMMAND_FORMAT = "\"%s\\%s\"";

constexpr const char* NOT_INSTALLED_CAPTION = "Application Not Installed";
constexpr const char* NOT_INSTALLED_TEXT =
    "The application will not be installed at this time.If you decide to install the application later, just "
    "launch this program again to complete the installation process.";

constexpr const char* FAILED_CAPTION_FORMAT = "%s Installation Failed";
constexpr const char* CREATE_FAILED_TEXT =
    "The application was not able to create one of its component files. The disk is full, or a copy of the "
    "application is already running, or you do not have write access to the directory in which you are "
    "attempting to install the application. Check your available disk space and run the setup program again.";
constexpr const char* WRITE_FAILED_TEXT =
    "The application was unable to finish writing a file to disk. Your hard drive is probably full. Check your "
    "available disk space, make additional space available, and run the setup program again.";
constexpr const char* NO_MEMORY_TEXT =
    "Insufficient memory was available for the setup procedure. Close other applications and run the setup "
    "program again.";

constexpr const char* SUCCESS_CAPTION = "Installation Successful";
constexpr const char* SUCCESS_FORMAT =
    "%s has been successfully installed on your system.Would you like to start %s now?";

// Formats into a 1024-byte buffer; false when the text would not fit whole.
bool Compose(char* buffer, const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  int length = FormatTextV(buffer, COMPOSED_PATH_SIZE, format, arguments);
  va_end(arguments);
  return length >= 0 && length < COMPOSED_PATH_SIZE;
}

// Whether every text this run may compose from dataDir and the product fits
// its buffer, tried out in a scratch buffer before anything is written: no
// composition is ever used cut short, and no file is written that could not
// be named afterwards.
bool CompositionsFit() {
  static char scratch[COMPOSED_PATH_SIZE];
  const ProductInfo& product = productInfo;
  return Compose(scratch, EXE_PATH_FORMAT, dataDir, product.exeName) &&
         Compose(scratch, STARTUP_COMMAND_FORMAT, dataDir, product.exeName, product.startupArgs) &&
         Compose(scratch, UNINSTALLER_PATH_FORMAT, dataDir) &&
         Compose(scratch, LAUNCH_COMMAND_FORMAT, dataDir, product.exeName) &&
         Compose(scratch, FAILED_CAPTION_FORMAT, product.displayName) &&
         Compose(scratch, SUCCESS_FORMAT, product.displayName, product.displayName);
}

int NotInstalled() {
  platform::MessageBox(nullptr, NOT_INSTALLED_TEXT, NOT_INSTALLED_CAPTION, WIN_MB_ICONWARNING);
  return 0;
}

const char* FailureText(ExtractResult result) {
  switch (result) {
    case EXTRACT_CREATE_FAILED: return CREATE_FAILED_TEXT;
    case EXTRACT_WRITE_FAILED: return WRITE_FAILED_TEXT;
    default: return NO_MEMORY_TEXT;
  }
}

}  // namespace

int InstallerMain(platform::Instance instance, platform::Instance, char*, int) {
  if (!installerStages.chooseDataDirectory(instance, nullptr)) return NotInstalled();
  // A data directory too long for the paths composed from it is refused like
  // a declined one, before a window is made or a file written.
  if (!CompositionsFit()) return NotInstalled();

  platform::ChangeDirectory(dataDir);
  platform::Window progress =
      platform::CreateDialogParam(instance, IDD_PROGRESS, nullptr, ProgressDialogProc, 0);
  installerStages.closeRunningCopies();

  ExtractResult result = ExtractPayload(progress, UpdateProgressText);
  if (result != EXTRACT_DONE) {
    // The progress window stays until the process ends.
    Compose(messageText, FAILED_CAPTION_FORMAT, productInfo.displayName);
    platform::MessageBox(nullptr, FailureText(result), messageText, WIN_MB_ICONWARNING);
    RemovePayloadFiles(nullptr, nullptr);
    return 0;
  }

  platform::DestroyWindow(progress);
  // CompositionsFit has shown that each of these fits whole.
  Compose(exePath, EXE_PATH_FORMAT, dataDir, productInfo.exeName);
  Compose(startupCommand, STARTUP_COMMAND_FORMAT, dataDir, productInfo.exeName, productInfo.startupArgs);
  Compose(uninstallerPath, UNINSTALLER_PATH_FORMAT, dataDir);
  installerStages.registerProgmanGroups();
  platform::WriteProfileString("Options", "dataDir", dataDir, productInfo.iniFileName);

  Compose(messageText, SUCCESS_FORMAT, productInfo.displayName, productInfo.displayName);
  if (platform::MessageBox(nullptr, messageText, SUCCESS_CAPTION, WIN_MB_YESNO) == WIN_IDYES) {
    Compose(launchCommand, LAUNCH_COMMAND_FORMAT, dataDir, productInfo.exeName);
    platform::WinExec(launchCommand, WIN_SW_SHOW);
  }
  return 0;
}
