// The host tests' product: productInfo with the product's real values and a
// small three-file payloadTable (brevio.exe, brevio.htm, uninst.exe).
#pragma once

#include "product.h"

// What file i of payloadTable holds once written.
extern const char* const testPayloadContents[3];
