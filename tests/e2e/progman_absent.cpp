// progman_absent: takes the Program Manager DDE service away from the
// desktop, for scenarios that install with no PROGMAN server at all.
//
// Wine's desktop process serves PROGMAN (and its sister services) through
// DDEML, which answers a client's broadcast WM_DDE_INITIATE from one hidden
// top-level "name server" window per registered service. This program asks
// each such window of the desktop process to close (WM_CLOSE, which DDEML
// leaves to DefWindowProc, so the window is destroyed), waits until they are
// gone, and then checks as a DDE client that no server answers a connection
// to service and topic "PROGMAN". The desktop itself, its window and every
// other service of that process stay as they are.
//
// Usage: progman_absent
// Exit status: 0 no PROGMAN server answers, 1 one still answers,
//              3 the DDE client could not be set up.
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int MAX_SERVERS = 64;
constexpr DWORD WAIT_MS = 5000;

struct ServerList {
  DWORD process;
  HWND windows[MAX_SERVERS];
  int count;
};

// DDEML's name-server window classes: Wine's, and the one Windows uses.
bool IsDdeNameServer(HWND window) {
  char className[256];
  if (!GetClassNameA(window, className, sizeof className)) return false;
  return std::strcmp(className, "WineDdeServerName") == 0 || std::strcmp(className, "DDEMLMom") == 0;
}

BOOL CALLBACK CollectServers(HWND window, LPARAM param) {
  auto* list = reinterpret_cast<ServerList*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == list->process && IsDdeNameServer(window) && list->count < MAX_SERVERS)
    list->windows[list->count++] = window;
  return TRUE;
}

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// Whether a server accepts a conversation on PROGMAN|PROGMAN right now.
int ProgmanAnswers() {
  DWORD instance = 0;
  if (DdeInitializeA(&instance, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return -1;
  HSZ name = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
  HCONV conversation = DdeConnect(instance, name, name, nullptr);
  if (conversation) DdeDisconnect(conversation);
  DdeFreeStringHandle(instance, name);
  DdeUninitialize(instance);
  return conversation != nullptr;
}

}  // namespace

int main() {
  ServerList list{};
  // The desktop window belongs to the desktop process (starting it if need be).
  GetWindowThreadProcessId(GetDesktopWindow(), &list.process);
  EnumWindows(CollectServers, reinterpret_cast<LPARAM>(&list));
  for (int i = 0; i < list.count; ++i) PostMessageA(list.windows[i], WM_CLOSE, 0, 0);

  DWORD start = GetTickCount();
  for (int i = 0; i < list.count; ++i) {
    while (IsWindow(list.windows[i]) && GetTickCount() - start < WAIT_MS) Sleep(20);
  }
  std::printf("closed %d DDE name server window(s) of the desktop process\n", list.count);

  int answers = ProgmanAnswers();
  if (answers < 0) {
    std::fprintf(stderr, "progman_absent: DdeInitialize failed\n");
    return 3;
  }
  if (answers) {
    std::fprintf(stderr, "progman_absent: a PROGMAN server still answers\n");
    return 1;
  }
  std::printf("no PROGMAN server answers\n");
  return 0;
}
