// The installer's product for the fuzz targets: productInfo whose texts live
// in writable buffers, so that a target can try other product values within
// the limits the payload generator enforces, and an empty payloadTable, so
// that an installation writes no file.
#pragma once

#include <string>

#include "product.h"

namespace fuzzproduct {

// Room for a name of the generator's longest (100 characters) and more.
constexpr size_t kNameSize = 1024;

// Puts the product's own values back.
void Reset();
// Sets the texts; each is cut to kNameSize - 1 characters.
void Set(const std::string& shortName, const std::string& displayName, const std::string& exeName,
         const std::string& startupArgs);

}  // namespace fuzzproduct
