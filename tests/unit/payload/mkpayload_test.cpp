// mkpayload as a command: bad input is refused with a message that names the
// offending file, a nonzero exit and no output files (not even stale ones);
// good input gives the same bytes however many threads compress it.
#include <gtest/gtest.h>

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Quote(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Outcome {
  int exitCode;
  std::string errors;
};

class Mkpayload : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/mkpayload_test.XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    in_ = root_ + "/in";
    out_ = root_ + "/out";
    ::mkdir(in_.c_str(), 0755);
    ::mkdir(out_.c_str(), 0755);
    WriteInput("a.exe", std::string(70000, 'a'));
    WriteInput("uninst.exe", "uninstaller");
  }
  void TearDown() override { std::system(("rm -rf " + Quote(root_)).c_str()); }

  void WriteInput(const std::string& name, const std::string& bytes) {
    std::ofstream(in_ + "/" + name, std::ios::binary) << bytes;
  }

  // product.ini in in/: the good values, with `changes` applied (an empty
  // value given as "-" leaves the key out).
  void WriteProduct(const std::map<std::string, std::string>& changes = {}) {
    std::map<std::string, std::string> values = {
        {"shortName", "Brevio"},      {"displayName", "Brevio Paper"}, {"iniFileName", "brevio.ini"},
        {"offerStartup", "1"},        {"startupPrompt", "Startup?"},   {"exeName", "a.exe"},
        {"startupArgs", "-icon"},     {"files", "a.exe, uninst.exe"}};
    for (const auto& change : changes) values[change.first] = change.second;
    std::string text = "[Product]\n";
    for (const auto& value : values) {
      if (value.second != "-") text += value.first + "=" + value.second + "\n";
    }
    std::ofstream(in_ + "/product.ini", std::ios::binary) << text;
  }

  Outcome Generate(const std::vector<std::string>& paths = {}, const std::string& options = "") {
    std::string command = std::string(MKPAYLOAD) + " -o " + Quote(out_ + "/payload") + " --depfile " +
                          Quote(out_ + "/payload.d") + " " + options + " " + Quote(in_ + "/product.ini");
    for (const std::string& path : paths) command += " " + Quote(in_ + "/" + path);
    command += " 2>" + Quote(root_ + "/errors");
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadText(root_ + "/errors")};
  }

  std::vector<std::string> OutputFiles() {
    std::vector<std::string> names;
    DIR* dir = ::opendir(out_.c_str());
    while (dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    return names;
  }

  std::string root_, in_, out_;
};

struct BadInput {
  const char* what;
  std::map<std::string, std::string> product;  // changes to the good product.ini
  std::vector<std::string> paths;              // payload files on the command line
  std::vector<std::string> inputs;             // extra files to create in in/
  std::string named;                           // the message names this
};

TEST_F(Mkpayload, RefusesBadInputNamingTheFileAndLeavesNoOutput) {
  const std::string product = "product.ini";
  const BadInput cases[] = {
      {"separator", {{"files", "sub/a.exe, uninst.exe"}}, {}, {}, "sub/a.exe"},
      {"backslash", {{"files", "sub\\a.exe, uninst.exe"}}, {}, {}, "sub\\a.exe"},
      {"parent directory", {{"files", "a.exe, .., uninst.exe"}}, {}, {}, ".."},
      {"drive", {{"files", "C:a.exe, uninst.exe"}}, {}, {}, "C:a.exe"},
      {"less than", {{"files", "a<b.exe, uninst.exe"}}, {}, {}, "a<b.exe"},
      {"greater than", {{"files", "a>b.exe, uninst.exe"}}, {}, {}, "a>b.exe"},
      {"bar", {{"files", "a|b.exe, uninst.exe"}}, {}, {}, "a|b.exe"},
      {"question mark", {{"files", "a?.exe, uninst.exe"}}, {}, {}, "a?.exe"},
      {"star", {{"files", "*.exe, uninst.exe"}}, {}, {}, "*.exe"},
      {"double quote", {{"files", "a\"b.exe, uninst.exe"}}, {}, {}, "a\"b.exe"},
      {"control character", {{"files", "-"}}, {"a\x01.exe", "uninst.exe"}, {"a\x01.exe"}, "a\x01.exe"},
      {"device", {{"files", "a.exe, CON, uninst.exe"}}, {}, {}, "CON"},
      {"device with extension", {{"files", "a.exe, nul.txt, uninst.exe"}}, {}, {}, "nul.txt"},
      {"numbered device", {{"files", "a.exe, Com1.exe, uninst.exe"}}, {}, {}, "Com1.exe"},
      {"trailing dot", {{"files", "a.exe, b.exe., uninst.exe"}}, {}, {}, "b.exe."},
      {"trailing blank", {{"files", "-"}}, {"a.exe ", "uninst.exe"}, {"a.exe "}, "a.exe "},
      {"missing file", {{"files", "a.exe, missing.exe, uninst.exe"}}, {}, {}, "missing.exe"},
      {"directory", {{"files", "a.exe, sub, uninst.exe"}}, {}, {}, "sub"},
      {"two of one name", {{"files", "a.exe, uninst.exe, A.EXE"}}, {}, {"A.EXE"}, "A.EXE"},
      {"no displayName", {{"displayName", "-"}}, {}, {}, product},
      {"empty shortName", {{"shortName", ""}}, {}, {}, product},
      {"comma in displayName", {{"displayName", "Brevio, Paper"}}, {}, {}, product},
      {"parenthesis in shortName", {{"shortName", "Brevio (2)"}}, {}, {}, product},
      {"bracket in displayName", {{"displayName", "Brevio [Paper]"}}, {}, {}, product},
      {"quote in displayName", {{"displayName", "Brevio \"Paper\""}}, {}, {}, product},
      {"separator in iniFileName", {{"iniFileName", "..\\brevio.ini"}}, {}, {}, product},
      {"offerStartup not 0 or 1", {{"offerStartup", "yes"}}, {}, {}, product},
      {"unknown key", {{"exeNmae", "a.exe"}}, {}, {}, product},
      {"list differs from the command line", {}, {"uninst.exe", "a.exe"}, {}, product},
  };
  ::mkdir((in_ + "/sub").c_str(), 0755);
  for (const BadInput& bad : cases) {
    SCOPED_TRACE(bad.what);
    for (const std::string& name : bad.inputs) WriteInput(name, "x");
    WriteProduct(bad.product);
    // Outputs of an earlier run must not survive a failed one.
    std::ofstream(out_ + "/payload.cpp") << "stale";
    std::ofstream(out_ + "/payload.bin") << "stale";
    Outcome run = Generate(bad.paths);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find(bad.named), std::string::npos) << run.errors;
    EXPECT_EQ(OutputFiles(), std::vector<std::string>()) << run.errors;
    for (const std::string& name : bad.inputs) std::remove((in_ + "/" + name).c_str());
  }
}

TEST_F(Mkpayload, RefusesAMissingProductDescription) {
  Outcome run = Generate();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errors.find(in_ + "/product.ini"), std::string::npos) << run.errors;
  EXPECT_EQ(OutputFiles(), std::vector<std::string>());
}

TEST_F(Mkpayload, RefusesAnUnreadableFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  WriteProduct();
  ::chmod((in_ + "/uninst.exe").c_str(), 0);
  Outcome run = Generate();
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errors.find("uninst.exe"), std::string::npos) << run.errors;
  EXPECT_EQ(OutputFiles(), std::vector<std::string>());
}

TEST_F(Mkpayload, SameBytesWhateverTheNumberOfThreads) {
  std::string noise;
  uint32_t state = 7;
  for (int i = 0; i < 400000; ++i) noise += static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
  WriteInput("a.exe", noise);
  WriteProduct();
  ASSERT_EQ(Generate({}, "-j 1").exitCode, 0);
  std::map<std::string, std::string> first;
  for (const char* ext : {".cpp", ".S", ".bin", ".d"}) first[ext] = ReadText(out_ + "/payload" + ext);
  ASSERT_EQ(Generate({}, "-j 3").exitCode, 0);
  for (const auto& output : first) EXPECT_EQ(ReadText(out_ + "/payload" + output.first), output.second) << output.first;
  EXPECT_NE(first[".cpp"].find("\"a.exe\""), std::string::npos);
}

// i686 Windows symbols carry a leading underscore; the data is read-only.
TEST_F(Mkpayload, NamesTheDataForTheTarget) {
  WriteProduct();
  ASSERT_EQ(Generate({}, "--target win32").exitCode, 0);
  std::string assembler = ReadText(out_ + "/payload.S");
  EXPECT_NE(assembler.find("_payloadData:"), std::string::npos) << assembler;
  EXPECT_NE(assembler.find(".rdata"), std::string::npos) << assembler;
  ASSERT_EQ(Generate({}, "--target win64").exitCode, 0);
  EXPECT_NE(ReadText(out_ + "/payload.S").find("\npayloadData:"), std::string::npos);
}

// A payload of no files is valid: an empty table, with a warning that the
// program items would point at nothing.
TEST_F(Mkpayload, AcceptsAnEmptyPayload) {
  WriteProduct({{"files", ""}});
  Outcome run = Generate();
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_NE(run.errors.find("warning"), std::string::npos);
  EXPECT_NE(ReadText(out_ + "/payload.cpp").find("payloadTable = {0,"), std::string::npos);
  EXPECT_EQ(ReadText(out_ + "/payload.bin"), "");
}

}  // namespace
