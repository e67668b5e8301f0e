// Files and memory: the host's real runtime library, with countdown fault
// injection (FilesState) and a count of open files and live blocks, so that
// a test can see every error branch run and nothing left behind.
#include <cstdio>
#include <cstdlib>

#include "fake_platform.h"

namespace platform {

File* OpenFile(const char* name, const char* mode) {
  fake::LogCall(std::string("OpenFile(") + name + "," + mode + ")");
  auto& files = fake::Fake().files;
  if (mode[0] == 'w' && files.failOpenForWrite.Hit()) return nullptr;
  if (mode[0] == 'r' && files.failOpenForRead.Hit()) return nullptr;
  std::FILE* file = std::fopen(name, mode);
  if (file) ++files.openFiles;
  return reinterpret_cast<File*>(file);
}

size_t WriteFile(const void* data, size_t size, size_t count, File* file) {
  fake::LogCall("WriteFile(" + std::to_string(size * count) + ")");
  if (count > 0 && fake::Fake().files.shortWrite.Hit()) --count;
  return std::fwrite(data, size, count, reinterpret_cast<std::FILE*>(file));
}

int CloseFile(File* file) {
  fake::LogCall("CloseFile");
  auto& files = fake::Fake().files;
  --files.openFiles;
  int result = std::fclose(reinterpret_cast<std::FILE*>(file));
  return files.failClose.Hit() ? -1 : result;
}

int RemoveFile(const char* name) {
  fake::LogCall(std::string("RemoveFile(") + name + ")");
  if (fake::Fake().files.failRemove.Hit()) return -1;
  return std::remove(name);
}

void* AllocateMemory(size_t size) {
  fake::LogCall("AllocateMemory(" + std::to_string(size) + ")");
  auto& files = fake::Fake().files;
  if (files.failAllocate.Hit()) return nullptr;
  void* block = std::malloc(size);
  if (block) ++files.liveBlocks;
  return block;
}

void FreeMemory(void* block) {
  fake::LogCall("FreeMemory");
  if (block) --fake::Fake().files.liveBlocks;
  std::free(block);
}

}  // namespace platform
