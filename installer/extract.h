// Writing the payload into the current directory, and taking it away again
// after a failed installation.
#pragma once

#include "platform.h"
#include "product.h"

enum ExtractResult {
  EXTRACT_CREATE_FAILED = 1,  // a payload file could not be created or opened for writing
  EXTRACT_WRITE_FAILED = 2,   // a file did not take all its bytes, or a piece is damaged
  EXTRACT_NO_MEMORY = 3,      // no memory for the working buffer or the decompressor
  EXTRACT_DONE = 4,           // every payload file was written
};

// Progress report: the caller's context (a window) passed through untouched,
// the name of the file about to be written ("" at the end) and how many
// percent of the files are finished.
using ProgressCallback = void (*)(platform::Window context, const char* fileName, int percent);

// Inflates every piece of every file of the table and writes each file, by
// its bare name, into the current directory. callback may be null.
ExtractResult ExtractPayloadTable(const PayloadTable& table, platform::Window context, ProgressCallback callback);
// Deletes every file of the table that exists in the current directory.
// EXTRACT_DONE (4) when it got through the list, 0 at the first failed deletion.
int RemovePayloadTableFiles(const PayloadTable& table, platform::Window context, ProgressCallback callback);

// The same for the product's own payloadTable.
ExtractResult ExtractPayload(platform::Window context, ProgressCallback callback);
int RemovePayloadFiles(platform::Window context, ProgressCallback callback);
