// A table that mkpayload emitted for the fixture files, linked into this
// program: read back the way the installer reads it, it must give the
// product values and every file byte for byte.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <string>
#include <vector>

#include "product.h"

namespace {

std::vector<unsigned char> ReadFixture(const std::string& name) {
  std::vector<unsigned char> bytes;
  std::FILE* in = std::fopen((std::string(FIXTURE_DIR) + "/" + name).c_str(), "rb");
  if (in == nullptr) return bytes;
  int c;
  while ((c = std::fgetc(in)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
  std::fclose(in);
  return bytes;
}

TEST(PayloadTable, CarriesTheProductValues) {
  EXPECT_STREQ(productInfo.shortName, "Tester");
  EXPECT_STREQ(productInfo.displayName, "Tester Deluxe");
  EXPECT_STREQ(productInfo.iniFileName, "tester.ini");
  EXPECT_EQ(productInfo.offerStartup, 0);
  EXPECT_STREQ(productInfo.startupPrompt, "Start me? Yes\\no \"maybe\"?\?= caf\xe9 100%");
  EXPECT_STREQ(productInfo.exeName, "app.exe");
  EXPECT_STREQ(productInfo.startupArgs, "-icon");
}

TEST(PayloadTable, ListsTheFilesInOrderWithTheirSliceCounts) {
  struct Expected {
    const char* name;
    int pieces;
  } const expected[] = {{"app.exe", 2}, {"empty.txt", 0}, {"one.bin", 1}, {"slice.bin", 1}, {"uninst.exe", 4}};
  ASSERT_EQ(payloadTable.fileCount, 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_STREQ(payloadTable.fileNames[i], expected[i].name);
    EXPECT_EQ(payloadTable.pieceCounts[i], expected[i].pieces) << expected[i].name;
  }
  EXPECT_EQ(payloadTable.fileNames[5], nullptr);
  EXPECT_EQ(payloadTable.piecePointers[5], nullptr);
  EXPECT_EQ(payloadTable.pieceLengths[5], nullptr);
}

// Each piece is one complete zlib stream with the default-level header that
// inflates to a full slice (the last one to the rest); joined, they are the file.
TEST(PayloadTable, PiecesInflateBackToTheFiles) {
  std::vector<unsigned char> buffer(PAYLOAD_BUFFER_SIZE);
  for (int i = 0; i < payloadTable.fileCount; ++i) {
    SCOPED_TRACE(payloadTable.fileNames[i]);
    std::vector<unsigned char> original = ReadFixture(payloadTable.fileNames[i]);
    std::vector<unsigned char> joined;
    for (int j = 0; j < payloadTable.pieceCounts[i]; ++j) {
      PayloadPiece piece = PayloadPieceAt(payloadTable, i, j);
      ASSERT_GE(piece.length, 2u);
      EXPECT_EQ(piece.data[0], 0x78);
      EXPECT_EQ(piece.data[1], 0x9C);
      uLongf length = PAYLOAD_BUFFER_SIZE;
      ASSERT_EQ(uncompress(buffer.data(), &length, piece.data, piece.length), Z_OK) << "piece " << j;
      bool last = j == payloadTable.pieceCounts[i] - 1;
      if (!last) {
        EXPECT_EQ(length, PAYLOAD_SLICE_SIZE);
      }
      joined.insert(joined.end(), buffer.begin(), buffer.begin() + static_cast<long>(length));
    }
    EXPECT_EQ(joined.size(), original.size());
    EXPECT_TRUE(joined == original);
  }
}

// The recorded length is exact: one byte less is no longer a complete stream.
TEST(PayloadTable, RecordedLengthsAreExact) {
  std::vector<unsigned char> buffer(PAYLOAD_BUFFER_SIZE);
  PayloadPiece piece = PayloadPieceAt(payloadTable, 4, 3);
  uLongf length = PAYLOAD_BUFFER_SIZE;
  EXPECT_NE(uncompress(buffer.data(), &length, piece.data, piece.length - 1), Z_OK);
}

}  // namespace
