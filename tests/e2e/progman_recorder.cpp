// progman_recorder: a Program Manager DDE server for end-to-end scenarios.
// It registers the service "PROGMAN", accepts conversations on the topic
// "PROGMAN", acknowledges every execute and appends each one to a log file,
// one line per execute:
//   LEN=<bytes received> NUL=<1 if the last byte was a NUL> TEXT=<bytes before it>
// It creates LOG.ready once the service is registered and ends when LOG.stop
// appears or after SECONDS (default 120).
//
// Usage: progman_recorder LOG [SECONDS]
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

DWORD instance;
HSZ progmanName;
std::string logPath;

void AppendExecute(HDDEDATA data) {
  DWORD size = DdeGetData(data, nullptr, 0, 0);
  std::string bytes(size, '\0');
  if (size > 0) DdeGetData(data, reinterpret_cast<LPBYTE>(&bytes[0]), size, 0);
  bool nul = size > 0 && bytes[size - 1] == '\0';
  std::string text = nul ? bytes.substr(0, size - 1) : bytes;
  FILE* log = std::fopen(logPath.c_str(), "ab");
  if (log == nullptr) return;
  std::fprintf(log, "LEN=%lu NUL=%d TEXT=", static_cast<unsigned long>(size), nul ? 1 : 0);
  std::fwrite(text.data(), 1, text.size(), log);
  std::fputc('\n', log);
  std::fclose(log);
}

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DdeCmpStringHandles(topic, progmanName) == 0));
    case XTYP_EXECUTE:
      AppendExecute(data);
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(DDE_FACK));
    default:
      return nullptr;
  }
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: progman_recorder LOG [SECONDS]\n", stderr);
    return 2;
  }
  logPath = argv[1];
  DWORD seconds = argc > 2 ? static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) : 120;

  if (DdeInitializeA(&instance, Callback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0) !=
      DMLERR_NO_ERROR) {
    std::fputs("progman_recorder: DdeInitialize failed\n", stderr);
    return 1;
  }
  progmanName = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
  if (progmanName == nullptr || DdeNameService(instance, progmanName, nullptr, DNS_REGISTER) == nullptr) {
    std::fputs("progman_recorder: cannot register PROGMAN\n", stderr);
    return 1;
  }
  FILE* ready = std::fopen((logPath + ".ready").c_str(), "wb");
  if (ready != nullptr) std::fclose(ready);

  // Serve until told to stop, within the time allowed.
  DWORD start = GetTickCount();
  UINT_PTR timer = SetTimer(nullptr, 0, 100, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && message.hwnd == nullptr) {
      if (Exists(logPath + ".stop") || GetTickCount() - start > seconds * 1000) break;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  KillTimer(nullptr, timer);
  DdeNameService(instance, progmanName, nullptr, DNS_UNREGISTER);
  DdeFreeStringHandle(instance, progmanName);
  DdeUninitialize(instance);
  return 0;
}
