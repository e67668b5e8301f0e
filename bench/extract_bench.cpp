// Extraction benchmark over the payload linked into this program.
//
//   extract_bench_SIZE DIR
// Best of several rounds, each timing the inflate-only limit (every piece
// inflated into the 32000-byte buffer, nothing written) and then
// ExtractPayload into DIR, which starts empty each time; prints both rates
// and their ratio.
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "extract.h"
#include "product.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// CPU time of this process, user and system: on a machine shared with other
// work it varies less than the elapsed time.
double CpuSeconds() {
  timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

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
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  if (::chdir(argv[1]) != 0) {
    std::perror(argv[1]);
    return 1;
  }

  static unsigned char buffer[PAYLOAD_BUFFER_SIZE];
  const int rounds = 9;
  double bestInflate = 1e9, bestExtract = 1e9, cpuInflate = 1e9, cpuExtract = 1e9;
  unsigned long long bytes = 0;
  for (int round = 0; round < rounds; ++round) {
    Clock::time_point start = Clock::now();
    double cpu = CpuSeconds();
    bytes = InflateOnly(buffer);
    double inflate = Seconds(start);
    cpuInflate = std::min(cpuInflate, CpuSeconds() - cpu);

    RemoveExtracted();  // a fresh installation: the files do not exist yet
    start = Clock::now();
    cpu = CpuSeconds();
    ExtractResult result = ExtractPayload(nullptr, nullptr);
    double extract = Seconds(start);
    cpuExtract = std::min(cpuExtract, CpuSeconds() - cpu);
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
  std::printf("  the same in CPU time: inflate %.3f s, ExtractPayload %.3f s, ratio %.2f\n", cpuInflate, cpuExtract,
              cpuInflate / cpuExtract);
  return 0;
}
