// Settling the data directory: the default proposal (C:\Program Files\<short
// name>, else a directory under the user's home), the choice recorded in the
// application's INI file, the normalisation of separators, and the loop that
// tests the path and, while it does not exist, asks the user through the
// "Choose a Data Directory" dialog (template 113). A directory is created only
// after the user has pressed OK; the choice is recorded only once it is the
// process's current directory.
#include "datadir.h"

#include "format_text.h"
#include <cstring>

#include "product.h"
#include "resource.h"
#include "winvalues.h"

char dataDir[DATA_DIR_SIZE];
platform::Window messageOwner;

namespace {

constexpr char kProfileSection[] = "Options";
constexpr char kProfileKey[] = "dataDir";

constexpr char kProgramFilesFormat[] = "C:\\Program Files\\%s";
constexpr char kHomePathVariable[] = "HOMEPATH";
constexpr char kHomeDriveVariable[] = "HOMEDRIVE";
constexpr char kDefaultHomeDrive[] = "C:";
// The home-based proposal when neither home variable is set.
constexpr char kNoHomeFormat[] = "C:\\%s";

constexpr int FILE_CASE_MESSAGE_SIZE = 256;
constexpr char kFileCaseFormat[] =
    "That path specifies a file, and not a new or existing directory name. Please enter a directory name, such as %s "
    "for example.";
constexpr char kFileCaseCaption[] = "Please Enter a Directory Name";

constexpr char kCouldNotAccessCaption[] = "Couldn't Access Directory";
constexpr char kCouldNotAccessText[] =
    "That directory does not exist and could not be created. Please enter a valid location for a directory on your "
    "system.";
constexpr char kShuttingDownCaption[] = "Shutting Down";
constexpr char kShuttingDownText[] =
    "This program cannot operate without a data directory to store its files in. The program will exit now. Please "
    "determine an appropriate directory name and start the program again later.";
constexpr char kCannotCreateCaption[] = "Can't Create Directory";
constexpr char kCannotCreateText[] =
    "That directory does not exist, and the application was not able to create it. Most likely the parent directory "
    "does not exist or you have entered a path the program does not have write access to.";
constexpr char kExistingCaption[] = "Write Data to Existing Directory?";
constexpr char kExistingText[] =
    "That directory already exists. The application can use it, but we do not recommend using a directory name that "
    "is already being used for other purposes. Are you sure you want to use this directory?";

// What the dialog hands to EndDialog; DialogBoxParam answers -1 when it
// cannot show the dialog at all.
constexpr intptr_t DIALOG_ACCEPTED = 1;
constexpr intptr_t DIALOG_CANCELLED = 0;

char fileCaseMessage[FILE_CASE_MESSAGE_SIZE];

void Warn(const char* text, const char* caption) {
  platform::MessageBox(messageOwner, text, caption, WIN_MB_ICONWARNING);
}

// Formats into dataDir; false (dataDir then empty) when the text would not
// fit whole, so that no path is ever used cut short.
bool FormatDataDir(const char* format, const char* value) {
  const int length = FormatText(dataDir, sizeof dataDir, format, value);
  if (length >= 0 && length < DATA_DIR_SIZE) return true;
  dataDir[0] = '\0';
  return false;
}

// Appends text to dataDir, then removes one trailing "\\" and after it one
// trailing "/" from the whole (which reaches back into what dataDir held when
// text is empty). False, with dataDir unchanged, when text does not fit.
bool AppendAndStrip(const char* text) {
  const size_t held = std::strlen(dataDir);
  const size_t added = std::strlen(text);
  if (added >= DATA_DIR_SIZE - held) return false;
  std::memcpy(dataDir + held, text, added + 1);
  StripTrailingChar(dataDir, '\\');
  StripTrailingChar(dataDir, '/');
  return true;
}

// The home-based proposal: HOMEDRIVE (unless HOMEPATH names its own drive),
// then HOMEPATH, each without one trailing "\" and one trailing "/", then
// "\" and the short name. False when the whole would not fit in dataDir.
bool ComposeHomeProposal() {
  const char* home = platform::GetEnv(kHomePathVariable);
  if (home == nullptr) home = "";
  const char* drive = platform::GetEnv(kHomeDriveVariable);
  if (drive == nullptr) drive = kDefaultHomeDrive;

  dataDir[0] = '\0';
  const bool homeHasDrive = std::strlen(home) >= 2 && home[1] == ':';
  if (!homeHasDrive && !AppendAndStrip(drive)) return false;
  if (!AppendAndStrip(home)) return false;
  const size_t held = std::strlen(dataDir);
  const int length = FormatText(dataDir + held, sizeof dataDir - held, "\\%s", productInfo.shortName);
  return length >= 0 && held + static_cast<size_t>(length) < static_cast<size_t>(DATA_DIR_SIZE);
}

// The default proposal, composed in dataDir. When the home-based proposal
// would not fit, the installer proposes what it proposes without any home
// variable: the drive C: and the short name (C:\Brevio).
void ProposeDefault() {
  if (FormatDataDir(kProgramFilesFormat, productInfo.shortName) && EnterDirectory(dataDir, 0) == 0) return;
  if (ComposeHomeProposal()) return;
  FormatDataDir(kNoHomeFormat, productInfo.shortName);
}

// The runtime's _stat finds nothing under a name that ends in a separator
// ("C:\data\"), unless the name is a root ("C:\" or "\"). A typed path is
// classified without its trailing separators, so that an existing directory
// typed with one is taken for what it is; creating it uses the path as typed.
const char* WithoutTrailingSeparators(const char* path) {
  static char trimmed[DATA_DIR_SIZE];
  size_t length = std::strlen(path);
  std::memcpy(trimmed, path, length + 1);
  while (length > 1 && (trimmed[length - 1] == '\\' || trimmed[length - 1] == '/') &&
         !(length == 3 && trimmed[1] == ':')) {
    trimmed[--length] = '\0';
  }
  return trimmed;
}

// OK in the dialog: read the typed path into dataDir and decide on it as
// typed. Ends the dialog with DIALOG_ACCEPTED, or leaves it open after a
// message box.
void AcceptTypedPath(platform::Window dialog) {
  platform::GetDlgItemText(dialog, IDC_DATADIR_EDIT, dataDir, DATA_DIR_SIZE);
  unsigned mode = 0;
  if (platform::StatPath(WithoutTrailingSeparators(dataDir), &mode) != 0) {
    if (platform::MakeDirectory(dataDir) == 0)
      platform::EndDialog(dialog, DIALOG_ACCEPTED);
    else
      Warn(kCannotCreateText, kCannotCreateCaption);
  } else if ((mode & WIN_S_IFDIR) == 0) {
    FormatText(fileCaseMessage, sizeof fileCaseMessage, kFileCaseFormat, productInfo.shortName);
    Warn(fileCaseMessage, kFileCaseCaption);
  } else if (platform::MessageBox(messageOwner, kExistingText, kExistingCaption, WIN_MB_YESNO) == WIN_IDYES) {
    platform::EndDialog(dialog, DIALOG_ACCEPTED);
  }
}

}  // namespace

int ChooseDataDirectory(platform::Instance instance, platform::Window owner) {
  messageOwner = owner;
  ProposeDefault();
  platform::GetProfileString(kProfileSection, kProfileKey, dataDir, dataDir, DATA_DIR_SIZE, productInfo.iniFileName);
  CollapseSeparators(dataDir);

  // The first pass only tests the path; once the user has accepted a path in
  // the dialog, a pass may also create it.
  int create = 0;
  while (EnterDirectory(dataDir, create) != 0) {
    if (create) Warn(kCouldNotAccessText, kCouldNotAccessCaption);
    // Only an accepted dialog goes on: Cancel, and a dialog that could not be
    // shown at all, end the stage.
    if (platform::DialogBoxParam(instance, IDD_DATADIR, owner, DataDirDialogProc, 0) != DIALOG_ACCEPTED) {
      Warn(kShuttingDownText, kShuttingDownCaption);
      return 0;
    }
    CollapseSeparators(dataDir);
    create = 1;
  }
  platform::WriteProfileString(kProfileSection, kProfileKey, dataDir, productInfo.iniFileName);
  return 1;
}

intptr_t PLATFORM_CALLBACK DataDirDialogProc(platform::Window dialog, unsigned message, uintptr_t wParam, intptr_t) {
  if (message == WIN_WM_INITDIALOG) {
    platform::SetDlgItemText(dialog, IDC_DATADIR_EDIT, dataDir);
    platform::SetFocusToItem(dialog, WIN_IDOK);
    return 1;
  }
  if (message != WIN_WM_COMMAND) return 0;
  switch (static_cast<int>(wParam & 0xFFFF)) {
    case WIN_IDOK:
      AcceptTypedPath(dialog);
      return 1;
    case WIN_IDCANCEL:
      platform::EndDialog(dialog, DIALOG_CANCELLED);
      return 1;
    default:
      return 0;
  }
}

int EnterDirectory(const char* path, int create) {
  if (platform::ChangeDirectory(path) == 0) return 0;
  if (!create) return -1;
  platform::MakeDirectory(path);  // the second attempt to enter decides
  return platform::ChangeDirectory(path) == 0 ? 0 : -1;
}

void StripTrailingChar(char* text, char character) {
  const size_t length = std::strlen(text);
  if (length > 0 && text[length - 1] == character) text[length - 1] = '\0';
}

void CollapseSeparators(char* text) {
  char* out = text;
  for (const char* in = text; *in != '\0';) {
    if (*in == '\\' || *in == '/') {
      *out++ = '\\';
      while (*in == '\\' || *in == '/') ++in;
    } else {
      *out++ = *in++;
    }
  }
  *out = '\0';
}
