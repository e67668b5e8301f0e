// The platform operations that extraction uses, forwarded to the host's
// runtime library with nothing added, so that the benchmark measures the
// extraction and the platform, not a test fake.
#include <cstdio>
#include <cstdlib>

#include "platform.h"

namespace platform {

File* OpenFile(const char* name, const char* mode) { return reinterpret_cast<File*>(std::fopen(name, mode)); }
size_t WriteFile(const void* data, size_t size, size_t count, File* file) {
  return std::fwrite(data, size, count, reinterpret_cast<std::FILE*>(file));
}
int CloseFile(File* file) { return std::fclose(reinterpret_cast<std::FILE*>(file)); }
int RemoveFile(const char* name) { return std::remove(name); }
void* AllocateMemory(size_t size) { return std::malloc(size); }
void FreeMemory(void* block) { std::free(block); }
void DispatchPendingMessages() {}

}  // namespace platform
