// productInfo over writable buffers and an empty payloadTable (see fuzz_product.h).
#include "fuzz_product.h"

#include <cstring>

namespace {

char shortName[fuzzproduct::kNameSize];
char displayName[fuzzproduct::kNameSize];
char exeName[fuzzproduct::kNameSize];
char startupArgs[fuzzproduct::kNameSize];

void Copy(char* buffer, const std::string& text) {
  const size_t length = text.size() < fuzzproduct::kNameSize ? text.size() : fuzzproduct::kNameSize - 1;
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
}

const int32_t noPieces[] = {0};

}  // namespace

const ProductInfo productInfo = {
    shortName,
    displayName,
    "brevio.ini",
    1,
    "This application is much more useful if it can run at scheduled times. In order to do this, it must be "
    "installed in your startup folder. Do you want Brevio Paper to be installed in your startup folder?",
    exeName,
    startupArgs,
};

const PayloadTable payloadTable = {0, nullptr, nullptr, nullptr, noPieces};

namespace fuzzproduct {

void Reset() { Set("Brevio", "Brevio Paper", "brevio.exe", "-icon"); }

void Set(const std::string& shortText, const std::string& displayText, const std::string& exeText,
         const std::string& argsText) {
  Copy(shortName, shortText);
  Copy(displayName, displayText);
  Copy(exeName, exeText);
  Copy(startupArgs, argsText);
}

}  // namespace fuzzproduct
