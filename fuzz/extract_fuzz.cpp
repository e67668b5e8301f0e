// Payload pieces of any content (damaged, cut short, too large, or sound):
// ExtractPayloadTable writes files from a table of up to three files whose
// pieces come from the input, into a scratch directory. A sound payload must
// come out byte for byte; a damaged piece must stop the file with
// EXTRACT_WRITE_FAILED and leave none of its own bytes in it; the working
// buffer is a heap block of its exact size, so an overrun shows in ASan; and
// RemovePayloadTableFiles then takes away every file.
//
// Input: a switch byte (bits 0-1: number of files, 1 to 3), then records of
// one byte file number (modulo the count), two bytes length (little endian)
// and that many bytes of piece.
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "extract.h"
#include "fake_platform.h"
#include "fuzz_input.h"

namespace {

const char* const kNames[3] = {"brevio.exe", "brevio.htm", "uninst.exe"};

std::string ReadWhole(const char* name, bool* exists) {
  std::FILE* file = std::fopen(name, "rb");
  *exists = file != nullptr;
  std::string text;
  if (!file) return text;
  char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
  std::fclose(file);
  return text;
}

// What a piece inflates to within the 32000-byte buffer; false when it does
// not inflate cleanly there.
bool Inflate(const std::vector<unsigned char>& piece, std::string* out) {
  std::vector<unsigned char> buffer(PAYLOAD_BUFFER_SIZE);
  uLongf length = PAYLOAD_BUFFER_SIZE;
  if (uncompress(buffer.data(), &length, piece.data(), piece.size()) != Z_OK) return false;
  out->assign(reinterpret_cast<const char*>(buffer.data()), length);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Files are written relative to the current directory: a scratch one.
  const char* dir = std::getenv("TMPDIR");
  std::string scratch = std::string(dir && *dir ? dir : "/tmp") + "/extract_fuzz_XXXXXX";
  FUZZ_CHECK(mkdtemp(&scratch[0]) != nullptr && chdir(scratch.c_str()) == 0);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int fileCount = 1 + (data[0] & 3) % 3;
  std::vector<std::vector<std::vector<unsigned char>>> pieces(fileCount);
  for (size_t at = 1; at + 3 <= size;) {
    const int file = data[at] % fileCount;
    size_t length = data[at + 1] | data[at + 2] << 8;
    at += 3;
    if (length > size - at) length = size - at;
    pieces[file].emplace_back(data + at, data + at + length);
    at += length;
  }

  // The table, with every piece in a heap block of its own exact size.
  std::vector<std::vector<const unsigned char*>> pointers(fileCount);
  std::vector<std::vector<uint32_t>> lengths(fileCount);
  std::vector<unsigned char*> blocks;
  std::vector<const unsigned char* const*> pointerLists;
  std::vector<const uint32_t*> lengthLists;
  std::vector<int32_t> counts;
  for (int f = 0; f < fileCount; ++f) {
    for (const auto& piece : pieces[f]) {
      auto* block = static_cast<unsigned char*>(std::malloc(piece.empty() ? 1 : piece.size()));
      std::copy(piece.begin(), piece.end(), block);
      blocks.push_back(block);
      pointers[f].push_back(block);
      lengths[f].push_back(static_cast<uint32_t>(piece.size()));
    }
    pointers[f].push_back(nullptr);
    lengths[f].push_back(0);
    pointerLists.push_back(pointers[f].data());
    lengthLists.push_back(lengths[f].data());
    counts.push_back(static_cast<int32_t>(pieces[f].size()));
  }
  const PayloadTable table = {fileCount, pointerLists.data(), lengthLists.data(), kNames, counts.data()};

  fake::ResetFake();
  for (const char* name : kNames) std::remove(name);
  const ExtractResult result = ExtractPayloadTable(table, nullptr, nullptr);

  // What must stand on disk: files in table order, each the join of its
  // inflated pieces, up to the first piece that does not inflate.
  ExtractResult expected = EXTRACT_DONE;
  for (int f = 0; f < 3; ++f) {
    bool exists = false;
    const std::string written = ReadWhole(kNames[f], &exists);
    if (f >= fileCount || expected != EXTRACT_DONE) {
      FUZZ_CHECK(!exists);  // nothing after the failed file
      continue;
    }
    FUZZ_CHECK(exists);
    std::string whole;
    for (const auto& piece : pieces[f]) {
      std::string slice;
      if (!Inflate(piece, &slice)) {
        expected = EXTRACT_WRITE_FAILED;
        break;
      }
      whole += slice;
    }
    FUZZ_CHECK(written == whole);
  }
  FUZZ_CHECK(result == expected);
  FUZZ_CHECK(fake::Fake().files.openFiles == 0 && fake::Fake().files.liveBlocks == 0);

  FUZZ_CHECK(RemovePayloadTableFiles(table, nullptr, nullptr) == EXTRACT_DONE);
  for (const char* name : kNames) {
    bool exists = true;
    ReadWhole(name, &exists);
    FUZZ_CHECK(!exists);
  }
  for (unsigned char* block : blocks) std::free(block);
  return 0;
}
