// Writes the payload files of the table test into the directory given as the
// only argument: sizes 0, 1, 30000, 30001 and 100000 bytes, a mix of
// incompressible runs and repetitions, the same bytes on every run.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> Bytes(size_t size, uint32_t seed) {
  std::vector<unsigned char> bytes(size);
  uint32_t state = seed;
  for (size_t i = 0; i < size; ++i) {
    state = state * 1664525u + 1013904223u;
    // Every other kilobyte repeats a short pattern, the rest is noise.
    bytes[i] = (i / 1024) % 2 ? static_cast<unsigned char>("brevio"[i % 6]) : static_cast<unsigned char>(state >> 24);
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  struct {
    const char* name;
    size_t size;
  } const files[] = {{"app.exe", 30001}, {"empty.txt", 0}, {"one.bin", 1}, {"slice.bin", 30000}, {"uninst.exe", 100000}};
  uint32_t seed = 1;
  for (const auto& file : files) {
    std::string path = std::string(argv[1]) + "/" + file.name;
    std::vector<unsigned char> bytes = Bytes(file.size, seed++);
    ::mkdir(argv[1], 0755);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return 1;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !ok) return 1;
  }
  return 0;
}
