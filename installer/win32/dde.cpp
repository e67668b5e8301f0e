// Seam: the DDE Management Library.
#include <windows.h>
#include <ddeml.h>

#include "undef_names.h"
#include "platform.h"

namespace platform {

unsigned DdeInitialize(uint32_t* instance, DdeCallback callback, uint32_t commands) {
  DWORD id = *instance;
  UINT result = DdeInitializeA(&id, reinterpret_cast<PFNCALLBACK>(callback), commands, 0);
  *instance = id;
  return result;
}

DdeHandle DdeCreateStringHandle(uint32_t instance, const char* text) {
  return DdeCreateStringHandleA(instance, text, 0);  // code page 0: the ANSI default
}

DdeHandle DdeConnect(uint32_t instance, DdeHandle service, DdeHandle topic) {
  return ::DdeConnect(instance, static_cast<HSZ>(service), static_cast<HSZ>(topic), nullptr);
}

DdeHandle DdeClientTransaction(const void* data, uint32_t length, DdeHandle conversation, DdeHandle item,
                               unsigned format, unsigned type, uint32_t timeout) {
  return ::DdeClientTransaction(static_cast<LPBYTE>(const_cast<void*>(data)), length, static_cast<HCONV>(conversation),
                                static_cast<HSZ>(item), format, type, timeout, nullptr);
}

void DdeFreeStringHandle(uint32_t instance, DdeHandle string) { ::DdeFreeStringHandle(instance, static_cast<HSZ>(string)); }
void DdeDisconnect(DdeHandle conversation) { ::DdeDisconnect(static_cast<HCONV>(conversation)); }
void DdeUninitialize(uint32_t instance) { ::DdeUninitialize(instance); }

void DdeQueryString(uint32_t instance, DdeHandle string, char* buffer, uint32_t size) {
  if (size == 0) return;
  buffer[0] = '\0';
  DdeQueryStringA(instance, static_cast<HSZ>(string), buffer, size, 0);
}

}  // namespace platform
