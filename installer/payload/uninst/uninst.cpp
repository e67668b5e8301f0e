// uninst.exe, the uninstaller of the sample application Brevio Paper. It
// asks first; on Yes it asks running copies to quit, deletes the payload
// files from its own directory, deletes the "dataDir" record of brevio.ini,
// removes the Program Manager items and reports what it did.
//
// A running program cannot delete its own file. The uninstaller therefore
// asks Windows to delete uninst.exe at the next restart: MoveFileExA with
// MOVEFILE_DELAY_UNTIL_REBOOT on Windows NT, and on Windows 95, where that
// call does nothing, a "NUL=<short path>" line in the [rename] section of
// WININIT.INI, which Windows 95 carries out at its next start. The data
// directory itself stays: it may hold the user's own files.
#include <windows.h>

#include "progman_removal.h"

namespace {

const char kCaption[] = "Uninstall Brevio Paper";
const char kDoneCaption[] = "Uninstall Complete";
const char kPartlyCaption[] = "Uninstall Incomplete";
const char kQuestion[] = "Do you want to remove Brevio Paper and all of its components from this computer?";
const char kDone[] =
    "Brevio Paper has been removed from your computer. The file uninst.exe will be deleted when Windows restarts.";
const char kPartly[] =
    "Some files of Brevio Paper could not be deleted. Close Brevio Paper if it is running and run the uninstaller "
    "again, or delete the files by hand.";

const char kIniFileName[] = "brevio.ini";
const char kAppWindowClass[] = "BrevioPaperWindow";
const char kSelfName[] = "uninst.exe";
// The payload files besides the uninstaller, in the installer's order.
const char* const kPayloadFiles[] = {"brevio.exe", "brevio.htm"};

constexpr int kPathSize = 1024;
char directory[kPathSize];  // this program's directory, with a closing backslash
char selfPath[kPathSize];

// Sets `directory` and `selfPath` from this program's own path; false when
// that path does not fit.
bool FindOwnDirectory() {
  DWORD length = GetModuleFileNameA(nullptr, selfPath, kPathSize);
  if (length == 0 || length >= kPathSize - 1) return false;
  lstrcpyA(directory, selfPath);
  char* slash = nullptr;
  for (char* p = directory; *p != '\0'; p = CharNextA(p)) {
    if (*p == '\\' || *p == '/') slash = p;
  }
  if (slash == nullptr) return false;
  slash[1] = '\0';
  return true;
}

// Composes directory + name into `path`; false when it would not fit.
bool InDirectory(const char* name, char* path) {
  if (lstrlenA(directory) + lstrlenA(name) >= kPathSize) return false;
  lstrcpyA(path, directory);
  lstrcatA(path, name);
  return true;
}

// Asks each running copy of the application to close and waits up to five
// seconds for its process to end, since Windows keeps the file of a running
// program from being deleted.
void CloseRunningCopies() {
  for (int copies = 0; copies < 16; ++copies) {
    HWND window = FindWindowA(kAppWindowClass, nullptr);
    if (window == nullptr) return;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (process != nullptr) {
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    } else {
      Sleep(500);
    }
  }
}

// Deletes one payload file; a file that is not there counts as deleted.
bool DeletePayloadFile(const char* name) {
  char path[kPathSize];
  if (!InDirectory(name, path)) return false;
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return true;
  return DeleteFileA(path) != 0;
}

void DeleteSelfAtRestart() {
  if (MoveFileExA(selfPath, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) return;
  char shortPath[kPathSize];
  DWORD length = GetShortPathNameA(selfPath, shortPath, kPathSize);
  if (length == 0 || length >= kPathSize) return;
  WritePrivateProfileStringA("rename", "NUL", shortPath, "wininit.ini");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (MessageBoxA(nullptr, kQuestion, kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return 0;
  if (!FindOwnDirectory()) {
    MessageBoxA(nullptr, kPartly, kPartlyCaption, MB_OK | MB_ICONWARNING);
    return 1;
  }

  CloseRunningCopies();
  bool allDeleted = true;
  for (const char* name : kPayloadFiles) {
    if (!DeletePayloadFile(name)) allDeleted = false;
  }
  // A NULL value deletes the key.
  WritePrivateProfileStringA("Options", "dataDir", nullptr, kIniFileName);
  RemoveProgmanItems();

  char ownName[kPathSize];
  if (InDirectory(kSelfName, ownName) && lstrcmpiA(ownName, selfPath) == 0) DeleteSelfAtRestart();

  if (allDeleted) {
    MessageBoxA(nullptr, kDone, kDoneCaption, MB_OK | MB_ICONINFORMATION);
  } else {
    MessageBoxA(nullptr, kPartly, kPartlyCaption, MB_OK | MB_ICONWARNING);
  }
  return allDeleted ? 0 : 1;
}
