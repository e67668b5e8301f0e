// The product for the host tests: the product's real values, and a small
// three-file payloadTable in the product's file order (brevio.exe in two
// pieces, the help page, uninst.exe), each piece a zlib stream made at the
// default level. testPayloadContents holds what each file inflates to.
#include "test_product.h"

const ProductInfo productInfo = {
    "Brevio",
    "Brevio Paper",
    "brevio.ini",
    1,
    "This application is much more useful if it can run at scheduled times. In order to do this, it must be "
    "installed in your startup folder. Do you want Brevio Paper to be installed in your startup folder?",
    "brevio.exe",
    "-icon",
};

namespace {
// "MZ brevio.exe: its first slice\n"
const unsigned char file0piece0[] = {0x78, 0x9C, 0xF3, 0x8D, 0x52, 0x48, 0x2A, 0x4A, 0x2D, 0xCB, 0xCC, 0xD7, 0x4B, 0xAD, 0x48, 0xB5, 0x52, 0xC8, 0x2C, 0x29, 0x56, 0x48, 0xCB, 0x2C, 0x2A, 0x2E, 0x51, 0x28, 0xCE, 0xC9, 0x4C, 0x4E, 0xE5, 0x02, 0x00, 0xAF, 0x44, 0x0A, 0xEB};
// "and its second slice\n"
const unsigned char file0piece1[] = {0x78, 0x9C, 0x4B, 0xCC, 0x4B, 0x51, 0xC8, 0x2C, 0x29, 0x56, 0x28, 0x4E, 0x4D, 0xCE, 0x07, 0x32, 0x8B, 0x73, 0x32, 0x93, 0x53, 0xB9, 0x00, 0x54, 0x7B, 0x07, 0x7A};
const unsigned char* const file0Pieces[] = {file0piece0, file0piece1};
const uint32_t file0Lengths[] = {sizeof file0piece0, sizeof file0piece1};

// "<html><body>Brevio Paper help</body></html>\n"
const unsigned char file1piece0[] = {0x78, 0x9C, 0xB3, 0xC9, 0x28, 0xC9, 0xCD, 0xB1, 0xB3, 0x49, 0xCA, 0x4F, 0xA9, 0xB4, 0x73, 0x2A, 0x4A, 0x2D, 0xCB, 0xCC, 0x57, 0x08, 0x48, 0x2C, 0x48, 0x2D, 0x52, 0xC8, 0x48, 0xCD, 0x29, 0xB0, 0xD1, 0x07, 0x8B, 0xDB, 0xE8, 0x83, 0x15, 0x71, 0x01, 0x00, 0x64, 0x40, 0x0F, 0x5F};
const unsigned char* const file1Pieces[] = {file1piece0};
const uint32_t file1Lengths[] = {sizeof file1piece0};

// "MZ uninst.exe\n"
const unsigned char file2piece0[] = {0x78, 0x9C, 0xF3, 0x8D, 0x52, 0x28, 0xCD, 0xCB, 0xCC, 0x2B, 0x2E, 0xD1, 0x4B, 0xAD, 0x48, 0xE5, 0x02, 0x00, 0x25, 0x5D, 0x04, 0xE3};
const unsigned char* const file2Pieces[] = {file2piece0};
const uint32_t file2Lengths[] = {sizeof file2piece0};

const unsigned char* const* const piecePointers[] = {file0Pieces, file1Pieces, file2Pieces, nullptr};
const uint32_t* const pieceLengths[] = {file0Lengths, file1Lengths, file2Lengths, nullptr};
const char* const fileNames[] = {"brevio.exe", "brevio.htm", "uninst.exe", nullptr};
const int32_t pieceCounts[] = {2, 1, 1};
}  // namespace

const PayloadTable payloadTable = {3, piecePointers, pieceLengths, fileNames, pieceCounts};

const char* const testPayloadContents[3] = {
    "MZ brevio.exe: its first slice\n" "and its second slice\n",
    "<html><body>Brevio Paper help</body></html>\n",
    "MZ uninst.exe\n",
};
