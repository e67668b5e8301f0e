// Extraction and removal against real files in a temporary directory, with
// payload tables made here with zlib the way the generator makes them.
#include "extract.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "fake_platform.h"
#include "scratch_directory.h"

namespace {

// Bytes that compress, but not to nothing: text-like runs with some noise.
std::string SampleBytes(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) {
    seed = seed * 1103515245u + 12345u;
    bytes[i] = (seed >> 24) % 4 == 0 ? static_cast<char>(seed >> 16) : "brevio paper "[i % 13];
  }
  return bytes;
}

std::string Deflate(const std::string& bytes) {
  uLongf length = compressBound(bytes.size());
  std::string out(length, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(bytes.data()),
            bytes.size(), Z_DEFAULT_COMPRESSION);
  out.resize(length);
  return out;
}

using Files = std::vector<std::pair<std::string, std::string>>;  // name, contents

// A PayloadTable over files cut into 30000-byte slices, each slice one zlib
// stream; pieces can be replaced afterwards to make a damaged table.
class TestPayload {
 public:
  explicit TestPayload(Files files) : files_(std::move(files)) {
    for (const auto& [name, contents] : files_) {
      std::vector<std::string> pieces;
      for (size_t at = 0; at < contents.size(); at += PAYLOAD_SLICE_SIZE)
        pieces.push_back(Deflate(contents.substr(at, PAYLOAD_SLICE_SIZE)));
      pieces_.push_back(pieces);
    }
  }

  void ReplacePiece(int file, int piece, std::string bytes) { pieces_[file][piece] = std::move(bytes); }
  const std::string& Piece(int file, int piece) const { return pieces_[file][piece]; }
  const std::string& Contents(int file) const { return files_[file].second; }

  const PayloadTable& Table() {
    pointers_.assign(files_.size(), {});
    lengths_.assign(files_.size(), {});
    pointerLists_.clear();
    lengthLists_.clear();
    names_.clear();
    counts_.clear();
    for (size_t i = 0; i < files_.size(); ++i) {
      for (const std::string& piece : pieces_[i]) {
        pointers_[i].push_back(reinterpret_cast<const unsigned char*>(piece.data()));
        lengths_[i].push_back(static_cast<uint32_t>(piece.size()));
      }
      pointerLists_.push_back(pointers_[i].data());
      lengthLists_.push_back(lengths_[i].data());
      names_.push_back(files_[i].first.c_str());
      counts_.push_back(static_cast<int32_t>(pieces_[i].size()));
    }
    table_ = PayloadTable{static_cast<int32_t>(files_.size()), pointerLists_.data(), lengthLists_.data(),
                          names_.data(), counts_.data()};
    return table_;
  }

 private:
  Files files_;
  std::vector<std::vector<std::string>> pieces_;
  std::vector<std::vector<const unsigned char*>> pointers_;
  std::vector<std::vector<uint32_t>> lengths_;
  std::vector<const unsigned char* const*> pointerLists_;
  std::vector<const uint32_t*> lengthLists_;
  std::vector<const char*> names_;
  std::vector<int32_t> counts_;
  PayloadTable table_{};
};

struct Report {
  std::string fileName;
  int percent;
  bool operator==(const Report& other) const { return fileName == other.fileName && percent == other.percent; }
};
std::ostream& operator<<(std::ostream& out, const Report& report) {
  return out << "(\"" << report.fileName << "\", " << report.percent << ")";
}

std::vector<Report> reports;
platform::Window reportedContext;

void RecordReport(platform::Window context, const char* fileName, int percent) {
  reportedContext = context;
  reports.push_back(Report{fileName, percent});
}

platform::Window const CONTEXT = reinterpret_cast<platform::Window>(0x1234);

class ExtractTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::ResetFake();
    reports.clear();
    reportedContext = nullptr;
  }
  // Every return leaves no file open and the working buffer freed.
  void TearDown() override {
    EXPECT_EQ(fake::Fake().files.openFiles, 0);
    EXPECT_EQ(fake::Fake().files.liveBlocks, 0);
  }

  ScratchDirectory scratch;
  // Three files: 70000 bytes (three pieces, the last 10000), an empty file
  // (no pieces) and exactly one full slice.
  TestPayload payload{Files{{"brevio.exe", SampleBytes(70000, 1)}, {"empty.txt", ""}, {"uninst.exe", SampleBytes(30000, 2)}}};
};

TEST_F(ExtractTest, WritesEveryFileByteIdenticalAndReportsBeforeEachFileAndAtTheEnd) {
  ASSERT_EQ(payload.Table().pieceCounts[0], 3);
  EXPECT_EQ(ExtractPayloadTable(payload.Table(), CONTEXT, RecordReport), EXTRACT_DONE);

  for (int i : {0, 1, 2}) EXPECT_EQ(ScratchDirectory::Read(payload.Table().fileNames[i]), payload.Contents(i));
  EXPECT_EQ(reports, (std::vector<Report>{{"brevio.exe", 0}, {"empty.txt", 33}, {"uninst.exe", 66}, {"", 100}}));
  EXPECT_EQ(reportedContext, CONTEXT);
  // The window's messages are taken after every piece: four pieces in all.
  EXPECT_EQ(fake::Fake().dialogs.dispatchCount, 4);
  EXPECT_EQ(fake::Fake().calls.front(), "AllocateMemory(32000)");
}

TEST_F(ExtractTest, WithoutCallbackWritesTheSameAndReportsNothing) {
  EXPECT_EQ(ExtractPayloadTable(payload.Table(), CONTEXT, nullptr), EXTRACT_DONE);
  for (int i : {0, 1, 2}) EXPECT_EQ(ScratchDirectory::Read(payload.Table().fileNames[i]), payload.Contents(i));
  EXPECT_EQ(RemovePayloadTableFiles(payload.Table(), CONTEXT, nullptr), EXTRACT_DONE);
  for (int i : {0, 1, 2}) EXPECT_FALSE(ScratchDirectory::Exists(payload.Table().fileNames[i]));
}

TEST_F(ExtractTest, PercentagesDropTheRemainder) {
  const std::vector<std::pair<int, std::vector<int>>> cases = {
      {1, {0, 100}},
      {3, {0, 33, 66, 100}},
      {6, {0, 16, 33, 50, 66, 83, 100}},
  };
  for (const auto& [fileCount, percents] : cases) {
    Files files;
    for (int i = 0; i < fileCount; ++i) files.emplace_back("file" + std::to_string(i), "x");
    TestPayload many(files);
    reports.clear();
    ASSERT_EQ(ExtractPayloadTable(many.Table(), CONTEXT, RecordReport), EXTRACT_DONE);
    std::vector<int> got;
    for (const Report& report : reports) got.push_back(report.percent);
    EXPECT_EQ(got, percents) << fileCount << " files";
  }
}

TEST_F(ExtractTest, EmptyTableReportsOnlyTheEnd) {
  TestPayload none(Files{});
  EXPECT_EQ(ExtractPayloadTable(none.Table(), CONTEXT, RecordReport), EXTRACT_DONE);
  EXPECT_EQ(RemovePayloadTableFiles(none.Table(), CONTEXT, RecordReport), EXTRACT_DONE);
  EXPECT_EQ(reports, (std::vector<Report>{{"", 100}, {"", 100}}));
  EXPECT_TRUE(std::filesystem::is_empty("."));
}

TEST_F(ExtractTest, ExistingFilesAreCutToTheNewLength) {
  ScratchDirectory::Write("brevio.exe", SampleBytes(200000, 9));
  ScratchDirectory::Write("empty.txt", "old contents");
  EXPECT_EQ(ExtractPayloadTable(payload.Table(), CONTEXT, nullptr), EXTRACT_DONE);
  EXPECT_EQ(ScratchDirectory::Read("brevio.exe"), payload.Contents(0));
  EXPECT_EQ(std::filesystem::file_size("empty.txt"), 0u);
}

TEST_F(ExtractTest, NoMemoryTouchesNothing) {
  fake::Fake().files.failAllocate.at = 1;
  EXPECT_EQ(ExtractPayloadTable(payload.Table(), CONTEXT, RecordReport), EXTRACT_NO_MEMORY);
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(fake::Fake().calls, (std::vector<std::string>{"AllocateMemory(32000)"}));
}

// Faults after the start: what is returned, which reports were made, how
// far the files got. File 0 has three pieces, so its writes are 1 to 3.
TEST_F(ExtractTest, FailuresStopAtTheFaultyFileAndLeaveItClosed) {
  struct Case {
    const char* name;
    fake::Countdown fake::FilesState::*fault;
    int at;
    ExtractResult result;
    size_t reportCount;            // reports made: the failing file's is the last
    std::vector<size_t> sizes;     // bytes on disk per file; NONE: no such file
  };
  const size_t NONE = std::string::npos;
  const std::vector<Case> cases = {
      {"second file cannot be created", &fake::FilesState::failOpenForWrite, 2, EXTRACT_CREATE_FAILED, 2,
       {70000, NONE, NONE}},
      {"first file cannot be created", &fake::FilesState::failOpenForWrite, 1, EXTRACT_CREATE_FAILED, 1,
       {NONE, NONE, NONE}},
      {"second write of file 0 is short", &fake::FilesState::shortWrite, 2, EXTRACT_WRITE_FAILED, 1,
       {30000 + 29999, NONE, NONE}},
      {"last write (file 2) is short", &fake::FilesState::shortWrite, 4, EXTRACT_WRITE_FAILED, 3,
       {70000, 0, 29999}},
      {"closing file 0 fails", &fake::FilesState::failClose, 1, EXTRACT_WRITE_FAILED, 1, {70000, NONE, NONE}},
      {"closing the empty file fails", &fake::FilesState::failClose, 2, EXTRACT_WRITE_FAILED, 2,
       {70000, 0, NONE}},
  };
  const std::vector<Report> allReports = {{"brevio.exe", 0}, {"empty.txt", 33}, {"uninst.exe", 66}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& entry : std::filesystem::directory_iterator(".")) std::filesystem::remove_all(entry);
    fake::ResetFake();
    reports.clear();
    (fake::Fake().files.*c.fault).at = c.at;

    EXPECT_EQ(ExtractPayloadTable(payload.Table(), CONTEXT, RecordReport), c.result);
    EXPECT_EQ(reports, std::vector<Report>(allReports.begin(), allReports.begin() + c.reportCount));
    for (int i : {0, 1, 2}) {
      const char* name = payload.Table().fileNames[i];
      if (c.sizes[i] == NONE) {
        EXPECT_FALSE(ScratchDirectory::Exists(name)) << name;
      } else {
        EXPECT_EQ(ScratchDirectory::Read(name), payload.Contents(i).substr(0, c.sizes[i])) << name;
      }
    }
    EXPECT_EQ(fake::Fake().files.openFiles, 0);
    EXPECT_EQ(fake::Fake().files.liveBlocks, 0);
  }
}

// A piece that does not inflate cleanly writes none of its bytes: file 0
// keeps its first slice only, and nothing after it is written.
TEST_F(ExtractTest, DamagedPieceWritesNoneOfItsBytes) {
  const std::string good = payload.Piece(0, 1);
  std::string flipped = good;
  flipped[flipped.size() / 2] ^= 0x55;
  std::string badChecksum = good;
  badChecksum.back() ^= 1;
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"corrupted deflate data", flipped},
      {"wrong Adler-32", badChecksum},
      {"cut short", good.substr(0, good.size() - 5)},
      {"empty", ""},
      {"not zlib at all", "brevio paper brevio paper"},
      {"inflates past the 32000-byte buffer", Deflate(SampleBytes(PAYLOAD_BUFFER_SIZE + 1, 3))},
  };
  for (const auto& [name, piece] : cases) {
    SCOPED_TRACE(name);
    fake::ResetFake();
    reports.clear();
    payload.ReplacePiece(0, 1, piece);
    EXPECT_EQ(ExtractPayloadTable(payload.Table(), CONTEXT, RecordReport), EXTRACT_WRITE_FAILED);
    EXPECT_EQ(ScratchDirectory::Read("brevio.exe"), payload.Contents(0).substr(0, PAYLOAD_SLICE_SIZE));
    EXPECT_EQ(reports, (std::vector<Report>{{"brevio.exe", 0}}));
    EXPECT_EQ(fake::Fake().files.openFiles, 0);
  }
}

TEST_F(ExtractTest, PieceThatFillsTheWholeBufferIsWritten) {
  const std::string bytes = SampleBytes(PAYLOAD_BUFFER_SIZE, 4);
  TestPayload full(Files{{"full.bin", "x"}});
  full.ReplacePiece(0, 0, Deflate(bytes));
  EXPECT_EQ(ExtractPayloadTable(full.Table(), CONTEXT, nullptr), EXTRACT_DONE);
  EXPECT_EQ(ScratchDirectory::Read("full.bin"), bytes);
}

// Removal: which payload files are present beforehand, which fault is set,
// and what is expected of the result, the reports and the files left.
TEST_F(ExtractTest, RemovalDeletesWhatIsPresentAndStopsAtAFailedDeletion) {
  struct Case {
    const char* name;
    std::vector<bool> present;
    fake::Countdown fake::FilesState::*fault;
    int at;
    int result;
    size_t reportCount;  // of 0, 33, 66 and then 100
    std::vector<bool> left;
  };
  const std::vector<Case> cases = {
      {"all present", {true, true, true}, nullptr, 0, 4, 4, {false, false, false}},
      {"none present", {false, false, false}, nullptr, 0, 4, 4, {false, false, false}},
      {"only the last present", {false, false, true}, nullptr, 0, 4, 4, {false, false, false}},
      {"only the last present, and it cannot be deleted", {false, false, true}, &fake::FilesState::failRemove, 1,
       0, 3, {false, false, true}},
      {"the first cannot be deleted: later ones are not tried", {true, true, true}, &fake::FilesState::failRemove,
       1, 0, 1, {true, true, true}},
      {"the second does not open for reading: it stays", {true, true, true}, &fake::FilesState::failOpenForRead, 2,
       4, 4, {false, true, false}},
  };
  const std::vector<Report> allReports = {{"brevio.exe", 0}, {"empty.txt", 33}, {"uninst.exe", 66}, {"", 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int i : {0, 1, 2}) {
      const char* name = payload.Table().fileNames[i];
      if (c.present[i]) ScratchDirectory::Write(name, "written earlier");
      else std::filesystem::remove(name);
    }
    fake::ResetFake();
    reports.clear();
    if (c.fault) (fake::Fake().files.*c.fault).at = c.at;

    EXPECT_EQ(RemovePayloadTableFiles(payload.Table(), CONTEXT, RecordReport), c.result);
    EXPECT_EQ(reports, std::vector<Report>(allReports.begin(), allReports.begin() + c.reportCount));
    for (int i : {0, 1, 2}) EXPECT_EQ(ScratchDirectory::Exists(payload.Table().fileNames[i]), c.left[i]) << i;
    EXPECT_EQ(fake::Fake().files.openFiles, 0);
  }
}

}  // namespace
