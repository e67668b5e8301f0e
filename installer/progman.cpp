// The Program Manager stage: the group named after the product with its two
// program items (the application and its uninstaller) and, when the user
// agrees, the application's item in the group "Startup". Every command goes
// to the shell's DDE service "PROGMAN" in a conversation of its own; no
// outcome is examined or reported.
#include "progman.h"

#include <cstdarg>
#include <cstring>

#include "datadir.h"
#include "driver.h"
#include "format_text.h"
#include "product.h"
#include "winvalues.h"

uint32_t ddeInstance;

namespace {

const char PROGMAN_NAME[] = "PROGMAN";  // both the service and the topic
const char STARTUP_CAPTION[] = "Add To Startup Group";
constexpr uint32_t EXECUTE_TIMEOUT = 2000;  // milliseconds; makes the transaction synchronous
constexpr int DDE_NAME_SIZE = 256;

// A command holds at most two paths (each from a buffer of 1024 bytes), one
// product name and a few characters of its own, so this buffer takes the
// longest command that the inputs can make. Each command is measured before
// it is formatted: one that would still not fit is not sent at all, rather
// than sent cut short.
constexpr size_t COMMAND_BUFFER_SIZE = COMPOSED_PATH_SIZE + DATA_DIR_SIZE + 2 * DDE_NAME_SIZE;
char commandBuffer[COMMAND_BUFFER_SIZE];

char callbackName[DDE_NAME_SIZE];

// Formats one command into the command buffer and sends it.
__attribute__((format(printf, 1, 2))) void SendFormattedCommand(const char* format, ...) {
  va_list args;
  va_start(args, format);
  size_t length = FormatTextV(nullptr, 0, format, args);
  va_end(args);
  if (length >= sizeof commandBuffer) return;
  va_start(args, format);
  FormatTextV(commandBuffer, sizeof commandBuffer, format, args);
  va_end(args);
  ProgmanExecute(commandBuffer);
}

}  // namespace

unsigned OpenDdeInstance() {
  ddeInstance = 0;  // DDEML makes a new instance only for an identifier of 0
  return platform::DdeInitialize(&ddeInstance, ProgmanDdeCallback, WIN_CBF_FAIL_EXECUTES);
}

void CloseDdeInstance() {
  platform::DdeUninitialize(ddeInstance);
  ddeInstance = 0;
}

platform::DdeHandle ProgmanExecute(const char* command) {
  platform::DdeHandle service = platform::DdeCreateStringHandle(ddeInstance, PROGMAN_NAME);
  platform::DdeHandle topic = platform::DdeCreateStringHandle(ddeInstance, PROGMAN_NAME);
  platform::DdeHandle conversation = nullptr;
  platform::DdeHandle result = nullptr;
  // A null service and topic would let any server on any topic accept the
  // conversation, so without both names the command is not sent.
  if (service != nullptr && topic != nullptr) {
    conversation = platform::DdeConnect(ddeInstance, service, topic);
    if (conversation != nullptr) {
      result = platform::DdeClientTransaction(command, static_cast<uint32_t>(std::strlen(command) + 1), conversation,
                                              nullptr, WIN_CF_TEXT, WIN_XTYP_EXECUTE, EXECUTE_TIMEOUT);
    }
  }
  if (service != nullptr) platform::DdeFreeStringHandle(ddeInstance, service);
  if (topic != nullptr) platform::DdeFreeStringHandle(ddeInstance, topic);
  platform::DdeDisconnect(conversation);  // also when null: the call then changes nothing
  return result;
}

platform::DdeHandle PLATFORM_CALLBACK ProgmanDdeCallback(unsigned type, unsigned, platform::DdeHandle,
                                                         platform::DdeHandle, platform::DdeHandle string2,
                                                         platform::DdeHandle, uintptr_t, uintptr_t) {
  if (type != WIN_XTYP_CONNECT) return nullptr;
  // string2 names the service that a client asks for.
  platform::DdeQueryString(ddeInstance, string2, callbackName, sizeof callbackName);
  if (std::strcmp(callbackName, productInfo.shortName) != 0) return nullptr;
  return reinterpret_cast<platform::DdeHandle>(1);
}

void RegisterProgmanGroups() { RegisterProgmanGroupsFor(productInfo); }

void RegisterProgmanGroupsFor(const ProductInfo& product) {
  OpenDdeInstance();

  SendFormattedCommand("[CreateGroup(%s)]", product.shortName);
  SendFormattedCommand("[ShowGroup(%s,5)]", product.shortName);
  SendFormattedCommand("[ReplaceItem(%s)]", product.displayName);
  SendFormattedCommand("[AddItem(\"%s\",%s,,,,,\"%s\")]", exePath, product.displayName, dataDir);
  ProgmanExecute("[ReplaceItem(Uninstall)]");
  SendFormattedCommand("[AddItem(\"%s\",Uninstall,,,,,\"%s\")]", uninstallerPath, dataDir);

  if (product.offerStartup != 0 &&
      platform::MessageBox(nullptr, product.startupPrompt, STARTUP_CAPTION, WIN_MB_YESNO) == WIN_IDYES) {
    ProgmanExecute("[CreateGroup(Startup)]");
    ProgmanExecute("[ShowGroup(Startup,5)]");
    SendFormattedCommand("[ReplaceItem(%s)]", product.shortName);
    SendFormattedCommand("[AddItem(%s,%s,,,,,\"%s\")]", startupCommand, product.shortName, dataDir);
  }

  CloseDdeInstance();
}
