// DDE Management Library. Stand-in: no server answers.
#include "fake_platform.h"

namespace platform {

unsigned DdeInitialize(uint32_t* instance, DdeCallback, uint32_t) { *instance = 1; return 0; }
DdeHandle DdeCreateStringHandle(uint32_t, const char*) { return reinterpret_cast<DdeHandle>(1); }
DdeHandle DdeConnect(uint32_t, DdeHandle, DdeHandle) { return nullptr; }
DdeHandle DdeClientTransaction(const void*, uint32_t, DdeHandle, DdeHandle, unsigned, unsigned, uint32_t) {
  return nullptr;
}
void DdeFreeStringHandle(uint32_t, DdeHandle) {}
void DdeDisconnect(DdeHandle) {}
void DdeUninitialize(uint32_t) {}
void DdeQueryString(uint32_t, DdeHandle, char* buffer, uint32_t size) { if (size > 0) buffer[0] = '\0'; }

}  // namespace platform
