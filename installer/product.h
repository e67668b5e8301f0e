// The constant description of the installed product and its payload. Both
// are emitted into the installer's build by the payload generator
// (installer/payload/) and never change at run time.
#pragma once

#include <cstdint>

struct ProductInfo {
  const char* shortName;      // group name, default directory leaf, DDE callback name
  const char* displayName;    // failure caption, program item, window-title match
  const char* iniFileName;    // the INI file that records "dataDir"
  int32_t offerStartup;       // nonzero: ask about the Startup group
  const char* startupPrompt;  // text of the Startup question
  const char* exeName;        // the application's executable, a payload file
  const char* startupArgs;    // arguments of the Startup item
};

// One compressed piece: a complete zlib stream that inflates to at most
// PAYLOAD_BUFFER_SIZE bytes.
struct PayloadPiece {
  const unsigned char* data;
  uint32_t length;
};

// Parallel lists indexed by file number, 0 to fileCount - 1.
struct PayloadTable {
  int32_t fileCount;
  const unsigned char* const* const* piecePointers;  // per file: where each piece starts
  const uint32_t* const* pieceLengths;               // per file: each piece's exact length
  const char* const* fileNames;                      // per file: its bare name
  const int32_t* pieceCounts;                        // per file: how many pieces
};

// The generator cuts files into slices of this size...
constexpr uint32_t PAYLOAD_SLICE_SIZE = 30000;
// ...and the installer inflates each into a buffer of this size.
constexpr uint32_t PAYLOAD_BUFFER_SIZE = 32000;

inline PayloadPiece PayloadPieceAt(const PayloadTable& table, int file, int piece) {
  return PayloadPiece{table.piecePointers[file][piece], table.pieceLengths[file][piece]};
}

extern const ProductInfo productInfo;
extern const PayloadTable payloadTable;
