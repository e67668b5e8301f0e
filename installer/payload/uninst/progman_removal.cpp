// Removal of what the installer made in Program Manager: the items
// "Brevio Paper" and "Uninstall" of the group "Brevio", the group itself
// (it was made for this product alone), and the item "Brevio" of the group
// "Startup". Every command goes to the shell's DDE service "PROGMAN" in a
// conversation of its own. An item command names its group in the same
// execute, so it acts on no group that another program made current; the
// shell stops at the first command of an execute that fails, so a missing
// group or item is refused harmlessly. Nothing is reported to the user.
#include "progman_removal.h"

#include <windows.h>
#include <ddeml.h>

namespace {

const char kProgmanName[] = "PROGMAN";  // both the service and the topic
constexpr DWORD kTimeoutMs = 2000;

const char* const kRemovalCommands[] = {
    "[ShowGroup(Brevio,5)][DeleteItem(Brevio Paper)]",
    "[ShowGroup(Brevio,5)][DeleteItem(Uninstall)]",
    "[DeleteGroup(Brevio)]",
    "[ShowGroup(Startup,5)][DeleteItem(Brevio)]",
};

HDDEDATA CALLBACK RemovalCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

void Execute(DWORD instance, const char* command) {
  HSZ service = DdeCreateStringHandleA(instance, kProgmanName, CP_WINANSI);
  HSZ topic = DdeCreateStringHandleA(instance, kProgmanName, CP_WINANSI);
  // Null names would reach any server on any topic: send nothing then.
  if (service != nullptr && topic != nullptr) {
    HCONV conversation = DdeConnect(instance, service, topic, nullptr);
    if (conversation != nullptr) {
      DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(command)), lstrlenA(command) + 1, conversation,
                           nullptr, CF_TEXT, XTYP_EXECUTE, kTimeoutMs, nullptr);
      DdeDisconnect(conversation);
    }
  }
  if (service != nullptr) DdeFreeStringHandle(instance, service);
  if (topic != nullptr) DdeFreeStringHandle(instance, topic);
}

}  // namespace

void RemoveProgmanItems() {
  DWORD instance = 0;
  if (DdeInitializeA(&instance, RemovalCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return;
  for (const char* command : kRemovalCommands) Execute(instance, command);
  DdeUninitialize(instance);
}
