// Extraction benchmark over the payload linked into this program.
//
//   extract_bench_SIZE throughput DIR   best of several rounds, each timing
//       the inflate-only limit (every piece inflated into the 32000-byte
//       buffer, nothing written) and then ExtractPayload into DIR; prints
//       both rates and their ratio
//   extract_bench_SIZE once DIR         one ExtractPayload into DIR, nothing
//       else (for the heap profile)
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "extract.h"
#include "product.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Inflates every piece into one buffer and returns the bytes produced.
unsigned long long InflateOnly(unsigned char* buffer) {
  unsigned long long total = 0;
  for (int file = 0; file < payloadTable.fileCount; ++file) {
    for (int piece = 0; piece < payloadTable.pieceCounts[file]; ++piece) {
      PayloadPiece source = PayloadPieceAt(payloadTable, file, piece);
      uLongf length = PAYLOAD_BUFFER_SIZE;
      if (uncompress(buffer, &length, source.data, source.length) != Z_OK) {
        std::fprintf(stderr, "extract_bench: piece %d of %s does not inflate\n", piece, payloadTable.fileNames[file]);
        std::exit(1);
      }
      total += length;
    }
  }
  return total;
}

void RemoveExtracted() {
  for (int file = 0; file < payloadTable.fileCount; ++file) std::remove(payloadTable.fileNames[file]);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::strcmp(argv[1], "throughput") != 0 && std::strcmp(argv[1], "once") != 0)) {
    std::fprintf(stderr, "usage: %s throughput|once DIR\n", argv[0]);
    return 2;
  }
  if (::chdir(argv[2]) != 0) {
    std::perror(argv[2]);
    return 1;
  }
  if (std::strcmp(argv[1], "once") == 0) return ExtractPayload(nullptr, nullptr) == EXTRACT_DONE ? 0 : 1;

  static unsigned char buffer[PAYLOAD_BUFFER_SIZE];
  const int rounds = 5;
  double bestInflate = 1e9, bestExtract = 1e9;
  unsigned long long bytes = 0;
  for (int round = 0; round < rounds; ++round) {
    Clock::time_point start = Clock::now();
    bytes = InflateOnly(buffer);
    double inflate = Seconds(start);

    RemoveExtracted();  // a fresh installation: the files do not exist yet
    start = Clock::now();
    ExtractResult result = ExtractPayload(nullptr, nullptr);
    double extract = Seconds(start);
    if (result != EXTRACT_DONE) {
      std::fprintf(stderr, "extract_bench: ExtractPayload returned %d\n", result);
      return 1;
    }
    if (inflate < bestInflate) bestInflate = inflate;
    if (extract < bestExtract) bestExtract = extract;
  }
  RemoveExtracted();
  double mib = bytes / 1048576.0;
  std::printf("payload %.1f MiB in %d files; best of %d rounds\n", mib, payloadTable.fileCount, rounds);
  std::printf("  inflate only:   %7.3f s  %7.1f MiB/s\n", bestInflate, mib / bestInflate);
  std::printf("  ExtractPayload: %7.3f s  %7.1f MiB/s\n", bestExtract, mib / bestExtract);
  std::printf("  ratio ExtractPayload / inflate only: %.2f (target >= 0.85)\n", bestInflate / bestExtract);
  return 0;
}
