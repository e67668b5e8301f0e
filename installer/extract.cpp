// Extraction and removal of the payload.
//
// The embedded data, as the payload generator lays it into the image and the
// PayloadTable describes it (file i runs from 0 to fileCount - 1):
//
//   payloadData (.incbin, read-only):
//     file 0: piece 0 | piece 1 | ... | piece n0-1    zlib streams, 78 9C ... Adler-32
//     file 1: its pieces, likewise ...
//   per file: its list of piece references and its list of piece lengths
//   (uint32), then the table itself:
//     fileCount (int32)
//     piecePointers[fileCount + 1]  one list per file, then a null entry
//     pieceLengths[fileCount + 1]   one list per file, then a null entry
//     fileNames[fileCount + 1]      bare names, then a null entry
//     pieceCounts[fileCount]        pieces per file, 0 or more
//
// All compressed pieces stand in one block, so that the assembler can embed
// a payload of any size straight from the generator's output file.
// Piece j of file i is pieceLengths[i][j] bytes at piecePointers[i][j]; it
// inflates to slice j of the file: 30000 bytes, except the file's last piece,
// which holds the remainder. The null entries are never read: fileCount and
// pieceCounts bound every loop.
//
// Memory: one 32000-byte working buffer for the whole call. Each piece is
// inflated into it and written with one write, so nothing grows with the
// size of the payload. A piece that does not inflate cleanly (damaged, cut
// short, or larger than the buffer) writes none of its bytes.
//
// Between pieces the thread's pending window messages are dispatched, so
// that the progress window stays painted during a long file; the reports to
// the callback are made only at the points below, whatever is dispatched.
#include "extract.h"

#include <zlib.h>

namespace {

void Report(ProgressCallback callback, platform::Window context, const char* fileName, int percent) {
  if (callback) callback(context, fileName, percent);
}

// Percent of the files finished before file i, remainder dropped.
int PercentBefore(const PayloadTable& table, int file) {
  return static_cast<int>(100LL * file / table.fileCount);
}

// Writes file i of the table from its pieces. The file is closed on every
// path; a close that fails means the data may not have reached the disk.
ExtractResult WritePayloadFile(const PayloadTable& table, int file, unsigned char* buffer) {
  platform::File* stream = platform::OpenFile(table.fileNames[file], "wb");
  if (!stream) return EXTRACT_CREATE_FAILED;

  ExtractResult result = EXTRACT_DONE;
  for (int piece = 0; piece < table.pieceCounts[file]; ++piece) {
    PayloadPiece source = PayloadPieceAt(table, file, piece);
    uLongf length = PAYLOAD_BUFFER_SIZE;
    int status = uncompress(buffer, &length, source.data, source.length);
    if (status != Z_OK) {
      // Z_MEM_ERROR: the decompressor found no memory for its state, which
      // the user can remedy like a missing working buffer. Anything else is
      // a damaged piece, reported like a file that could not be written.
      result = status == Z_MEM_ERROR ? EXTRACT_NO_MEMORY : EXTRACT_WRITE_FAILED;
      break;
    }
    if (platform::WriteFile(buffer, 1, length, stream) != length) {
      result = EXTRACT_WRITE_FAILED;
      break;
    }
    platform::DispatchPendingMessages();
  }

  if (platform::CloseFile(stream) != 0 && result == EXTRACT_DONE) result = EXTRACT_WRITE_FAILED;
  return result;
}

}  // namespace

ExtractResult ExtractPayloadTable(const PayloadTable& table, platform::Window context, ProgressCallback callback) {
  auto* buffer = static_cast<unsigned char*>(platform::AllocateMemory(PAYLOAD_BUFFER_SIZE));
  if (!buffer) return EXTRACT_NO_MEMORY;

  ExtractResult result = EXTRACT_DONE;
  for (int file = 0; file < table.fileCount && result == EXTRACT_DONE; ++file) {
    Report(callback, context, table.fileNames[file], PercentBefore(table, file));
    result = WritePayloadFile(table, file, buffer);
  }
  platform::FreeMemory(buffer);

  if (result == EXTRACT_DONE) Report(callback, context, "", 100);
  return result;
}

int RemovePayloadTableFiles(const PayloadTable& table, platform::Window context, ProgressCallback callback) {
  for (int file = 0; file < table.fileCount; ++file) {
    Report(callback, context, table.fileNames[file], PercentBefore(table, file));
    // A file that does not open for reading counts as absent and stays.
    platform::File* stream = platform::OpenFile(table.fileNames[file], "rb");
    if (!stream) continue;
    platform::CloseFile(stream);
    if (platform::RemoveFile(table.fileNames[file]) != 0) return 0;
  }
  Report(callback, context, "", 100);
  return EXTRACT_DONE;
}

ExtractResult ExtractPayload(platform::Window context, ProgressCallback callback) {
  return ExtractPayloadTable(payloadTable, context, callback);
}

int RemovePayloadFiles(platform::Window context, ProgressCallback callback) {
  return RemovePayloadTableFiles(payloadTable, context, callback);
}
