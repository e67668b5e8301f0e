// The scripted fake of the installer's platform seam. Every call is logged as
// one line of text in the order it was made; answers come from scripts that a
// test fills before it runs the logic. ResetFake() restores the defaults.
// Each group of operations keeps its state in its own struct below, and its
// functions in its own fake_*.cpp.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
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

// ---- DDE Management Library (fake_dde.cpp) ----
// A recording DDE transport: string handles map to their texts; a server
// for "PROGMAN" answers only when the test says so.
struct DdeConnectCall {
  uint32_t instance;
  std::string service;  // texts of the handles passed, "<null>" for a null handle
  std::string topic;
  platform::DdeHandle conversation;  // what the fake returned
};

struct DdeTransactionCall {
  std::string bytes;  // exactly `length` bytes from the data pointer, NUL included
  uint32_t length;
  platform::DdeHandle conversation;
  platform::DdeHandle item;
  unsigned format;
  unsigned type;
  uint32_t timeout;
};

struct DdeState {
  // DdeInitialize: what it was given, and what it answers.
  unsigned initializeResult = 0;       // nonzero: fails and leaves the instance alone
  uint32_t newInstance = 0x5EED;       // the identifier a successful call hands out
  std::vector<uint32_t> initializeInstancesIn;  // the identifier each call found
  platform::DdeCallback callback = nullptr;
  uint32_t initializeCommands = 0;
  std::vector<uint32_t> uninitialized;  // the identifier of each DdeUninitialize

  // String handles. Creation numbers count from 1; a number in this set
  // makes that creation fail with a null handle.
  std::set<int> failStringHandleAt;
  int stringHandlesCreated = 0;  // calls, successful or not
  std::map<platform::DdeHandle, std::string> liveStrings;
  std::vector<std::string> freedStrings;  // texts, in the order freed
  int badFrees = 0;                       // frees of null or unknown handles

  // The server: connections are accepted only while serverPresent is set
  // and the service and topic are "PROGMAN"; executes are acknowledged while
  // executesAccepted is set.
  bool serverPresent = false;
  bool executesAccepted = true;
  std::vector<DdeConnectCall> connects;
  std::vector<DdeTransactionCall> transactions;
  std::vector<platform::DdeHandle> disconnects;  // conversation of each DdeDisconnect, null included
  int openConversations = 0;
};

// A live string handle for text, as a DDE server would pass one to a callback.
platform::DdeHandle MakeDdeString(const std::string& text);

// ---- Top-level windows of every process (fake_windows.cpp) ----
// The desktop that EnumWindows walks, in order. A window's handle is made by
// AddTopLevelWindow; its title is what GetWindowText copies.
struct TopLevelWindow {
  platform::Window handle;
  std::string title;
  bool titleReadable = true;  // false: GetWindowText leaves the buffer untouched
};

struct PostedMessage {
  platform::Window window;
  unsigned message;
  uintptr_t wParam;
  intptr_t lParam;
};

struct WindowsState {
  std::vector<TopLevelWindow> topLevel;
  std::vector<platform::Window> enumerated;  // each window handed to the callback, in order
  std::vector<PostedMessage> posted;
};

// Appends a window to the desktop and returns its handle.
platform::Window AddTopLevelWindow(const std::string& title, bool titleReadable = true);
// The scripted title of a handle, for log lines and test messages.
std::string TitleOf(platform::Window window);

// ---- Files and memory (fake_files.cpp) ----
// Files are real host files, named relative to the real current directory.
// A Countdown makes the Nth call of one kind fail: at = 1 fails the next
// call, at = 0 (the default) never fails. Each counts only its own calls.
struct Countdown {
  int at = 0;
  int calls = 0;
  bool Hit() { return ++calls == at; }
};

struct FilesState {
  Countdown failOpenForWrite;  // OpenFile with a mode starting 'w' returns null
  Countdown failOpenForRead;   // OpenFile with a mode starting 'r' returns null
  Countdown shortWrite;        // WriteFile stores all but the last item
  Countdown failClose;         // CloseFile closes the file yet returns -1
  Countdown failRemove;        // RemoveFile deletes nothing and returns -1
  Countdown failAllocate;      // AllocateMemory returns null
  int openFiles = 0;           // opened and not yet closed
  int liveBlocks = 0;          // allocated and not yet freed
};

// ---- Dialogs and their controls (fake_dialogs.cpp) ----
// Every dialog that CreateDialogParam or DialogBoxParam makes is a FakeDialog;
// its handle is its index in DialogsState::dialogs plus one. Both calls send
// WM_INITDIALOG to the procedure before they go on, as Win32 does.
struct FakeDialog {
  int templateId = 0;
  platform::DialogProc proc = nullptr;
  bool modal = false;
  bool visible = false;     // ShowWindow(SW_HIDE = 0) hides, any other shows
  bool ended = false;       // EndDialog was called (it also hides)
  intptr_t endResult = 0;
  bool destroyed = false;
  std::map<int, std::string> itemTexts;  // current text of each control
};

struct ItemTextCall {
  platform::Window dialog;
  int id;
  std::string text;
};

// Drives one modal dialog while DialogBoxParam "runs" it, the way a user
// would: e.g. TypeIntoItem(dialog, id, "C:\x") and then
// SendToDialog(dialog, WM_COMMAND, IDOK, 0). DialogBoxParam returns the
// EndDialog result, or -1 when the script left the dialog running.
using DialogScript = std::function<void(platform::Window dialog)>;

struct DialogsState {
  std::vector<FakeDialog> dialogs;
  std::deque<DialogScript> dialogScripts;  // one per DialogBoxParam; none: it returns -1 at once
  std::vector<ItemTextCall> itemTexts;     // every SetDlgItemText, in order
  int dispatchCount = 0;                   // calls of DispatchPendingMessages
  // Run inside each DispatchPendingMessages (e.g. to press a close box
  // while the thread takes its messages).
  std::function<void()> onDispatch;
};

// Sends a message straight to a fake dialog's procedure; returns its result.
intptr_t SendToDialog(platform::Window dialog, unsigned message, uintptr_t wParam, intptr_t lParam);
// Sets a control's text as the user would, without logging a seam call.
void TypeIntoItem(platform::Window dialog, int id, const std::string& text);
// The dialog behind a handle; null for a handle the fake never gave out.
FakeDialog* DialogOf(platform::Window dialog);

// ---- Environment, directories and the INI file (fake_dirs.cpp) ----
// A scripted in-memory file system with the path rules of Windows: "\" and
// "/" both separate, a run of separators counts as one, letter case does not
// matter, "." and ".." are resolved, and a path without a drive or without a
// leading separator is taken from currentDirectory. Write entries as absolute
// paths; every ancestor of an entry exists as a directory too.
// The default world is a machine on which C:\Program Files\Brevio already
// exists, so the data-directory stage takes it without a dialog.
using ProfileEntry = std::tuple<std::string, std::string, std::string>;  // file, section, key

struct DirsState {
  std::map<std::string, std::string> environment;  // variables that are set
  std::set<std::string> directories{"C:\\Program Files\\Brevio", "C:\\windows"};
  std::set<std::string> files;
  std::set<std::string> lockedDirectories;  // exist (StatPath says so) but ChangeDirectory refuses them
  std::set<std::string> refusedDirectories;  // MakeDirectory refuses to create these (no write access)
  std::map<ProfileEntry, std::string> profile;  // the INI store
  std::string currentDirectory = "C:\\";        // kept in resolved form, "\" separators
};

// The resolved form of a path as ChangeDirectory would see it ("" for a
// name with "?" or "*"), so tests can compare paths the way the fake does.
std::string ResolvePath(const std::string& path);
// Whether two paths name the same entry (resolved, letter case ignored).
bool SamePath(const std::string& a, const std::string& b);
bool DirectoryExists(const std::string& path);

struct State {
  std::vector<std::string> calls;  // every seam call, in order
  UiState ui;
  FilesState files;
  DialogsState dialogs;
  DdeState dde;
  WindowsState windows;
  DirsState dirs;
};

State& Fake();
void ResetFake();
void LogCall(const std::string& line);

}  // namespace fake
