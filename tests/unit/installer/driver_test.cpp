// The driver's sequence against scripted answers. The stages of the other
// modules are replaced by recorders; extraction is the real one, writing the
// test product's three files into a temporary directory.
#include "driver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "datadir.h"
#include "driver_stages.h"
#include "fake_platform.h"
#include "resource.h"
#include "scratch_directory.h"
#include "test_product.h"
#include "winvalues.h"

namespace {

const char* const NOT_INSTALLED_TEXT =
    "The application will not be installed at this time.If you decide to install the application later, just "
    "launch this program again to complete the installation process.";
const char* const CREATE_FAILED_TEXT =
    "The application was not able to create one of its component files. The disk is full, or a copy of the "
    "application is already running, or you do not have write access to the directory in which you are "
    "attempting to install the application. Check your available disk space and run the setup program again.";
const char* const WRITE_FAILED_TEXT =
    "The application was unable to finish writing a file to disk. Your hard drive is probably full. Check your "
    "available disk space, make additional space available, and run the setup program again.";
const char* const NO_MEMORY_TEXT =
    "Insufficient memory was available for the setup procedure. Close other applications and run the setup "
    "program again.";
const char* const SUCCESS_TEXT =
    "Brevio Paper has been successfully installed on your system.Would you like to start Brevio Paper now?";

platform::Instance const INSTANCE = reinterpret_cast<platform::Instance>(0x400000);
const char* const PAYLOAD_NAMES[] = {"brevio.exe", "brevio.htm", "uninst.exe"};

// What the replaced stages answer and what they saw.
struct Stages {
  int chosen = 1;
  std::string chosenDir = "C:\\Program Files\\Brevio";
  platform::Instance instance = nullptr;
  platform::Window owner = reinterpret_cast<platform::Window>(1);
  bool progressShownWhileClosingCopies = false;
  std::string exePath, startupCommand, uninstallerPath;
} stages;

int RecordChooseDataDirectory(platform::Instance instance, platform::Window owner) {
  fake::LogCall("ChooseDataDirectory");
  stages.instance = instance;
  stages.owner = owner;
  if (stages.chosen) std::snprintf(dataDir, sizeof dataDir, "%s", stages.chosenDir.c_str());
  return stages.chosen;
}

void RecordCloseRunningCopies() {
  fake::LogCall("CloseRunningCopies");
  const auto& dialogs = fake::Fake().dialogs.dialogs;
  stages.progressShownWhileClosingCopies =
      dialogs.size() == 1 && dialogs[0].templateId == IDD_PROGRESS && dialogs[0].visible;
}

void RecordRegisterProgmanGroups() {
  fake::LogCall("RegisterProgmanGroups");
  stages.exePath = exePath;
  stages.startupCommand = startupCommand;
  stages.uninstallerPath = uninstallerPath;
}

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::ResetFake();
    stages = Stages();
    saved_ = installerStages;
    installerStages = {RecordChooseDataDirectory, RecordCloseRunningCopies, RecordRegisterProgmanGroups};
    exePath[0] = startupCommand[0] = uninstallerPath[0] = '\0';
  }
  void TearDown() override {
    installerStages = saved_;
    EXPECT_EQ(fake::Fake().files.openFiles, 0);
  }

  static int Run() {
    char commandLine[] = "";
    return InstallerMain(INSTANCE, nullptr, commandLine, 7);
  }

  // The seam calls, without the file and memory traffic of the extraction.
  static std::vector<std::string> Calls() {
    std::vector<std::string> calls;
    for (const std::string& call : fake::Fake().calls) {
      bool traffic = false;
      for (const char* prefix : {"OpenFile", "WriteFile", "CloseFile", "AllocateMemory", "FreeMemory"})
        traffic = traffic || call.rfind(prefix, 0) == 0;
      if (!traffic) calls.push_back(call);
    }
    return calls;
  }

  static std::vector<std::string> UpToExtraction() {
    return {"ChooseDataDirectory", "ChangeDirectory(C:\\Program Files\\Brevio)", "CreateDialogParam(109)",
            "ShowWindow(5)", "CloseRunningCopies"};
  }
  static std::vector<std::string> ProgressTexts(int count) {
    std::vector<std::string> texts;
    for (const char* percent : {"0", "33", "66", "100"})
      if (static_cast<int>(texts.size()) < count)
        texts.push_back(std::string("SetDlgItemText(1002,Percent Complete: ") + percent + "%)");
    return texts;
  }
  static std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  }

  ScratchDirectory scratch;

 private:
  InstallerStages saved_{};
};

TEST_F(DriverTest, DeclinedDataDirectoryShowsOneNoticeAndNothingElse) {
  stages.chosen = 0;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"ChooseDataDirectory", "MessageBox(Application Not Installed)"}));
  const fake::MessageBoxCall& box = fake::Fake().ui.messageBoxes.at(0);
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.text, NOT_INSTALLED_TEXT);
  EXPECT_EQ(box.style, WIN_MB_ICONWARNING);
  EXPECT_EQ(stages.instance, INSTANCE);
  EXPECT_EQ(stages.owner, nullptr);
  EXPECT_TRUE(fake::Fake().dialogs.dialogs.empty());
}

TEST_F(DriverTest, SuccessWithYesStartsTheQuotedApplication) {
  fake::Fake().ui.messageBoxAnswers = {WIN_IDYES};
  EXPECT_EQ(Run(), 0);

  EXPECT_EQ(Calls(), Join(Join(UpToExtraction(), ProgressTexts(4)),
                          {"DestroyWindow", "RegisterProgmanGroups",
                           "WriteProfileString(Options,dataDir,C:\\Program Files\\Brevio,brevio.ini)",
                           "MessageBox(Installation Successful)",
                           "WinExec(\"C:\\Program Files\\Brevio\\brevio.exe\",5)"}));
  EXPECT_TRUE(stages.progressShownWhileClosingCopies);
  const fake::MessageBoxCall& box = fake::Fake().ui.messageBoxes.at(0);
  EXPECT_EQ(box.owner, nullptr);
  EXPECT_EQ(box.text, SUCCESS_TEXT);
  EXPECT_EQ(box.style, WIN_MB_YESNO);
  for (int i : {0, 1, 2}) EXPECT_EQ(ScratchDirectory::Read(PAYLOAD_NAMES[i]), testPayloadContents[i]);
  // The window is taken care of between pieces: four pieces in all.
  EXPECT_EQ(fake::Fake().dialogs.dispatchCount, 4);
}

TEST_F(DriverTest, SuccessWithNoStartsNothing) {
  fake::Fake().ui.messageBoxAnswers = {WIN_IDNO};
  EXPECT_EQ(Run(), 0);
  std::vector<std::string> calls = Calls();
  EXPECT_EQ(calls.back(), "MessageBox(Installation Successful)");
  for (const std::string& call : calls) EXPECT_EQ(call.rfind("WinExec", 0), std::string::npos);
  for (const char* name : PAYLOAD_NAMES) EXPECT_TRUE(ScratchDirectory::Exists(name)) << name;
}

// The paths that the Program Manager stage reads, and the started command.
TEST_F(DriverTest, ComposedPathsJoinWithOneBackslashWhateverTheDirectoryEndsWith) {
  struct Case {
    const char* dataDir;
    const char* exePath;
    const char* startupCommand;
    const char* uninstallerPath;
    const char* launched;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Brevio", "C:\\Program Files\\Brevio\\brevio.exe",
       "\"C:\\Program Files\\Brevio\\brevio.exe\" -icon", "C:\\Program Files\\Brevio\\uninst.exe",
       "WinExec(\"C:\\Program Files\\Brevio\\brevio.exe\",5)"},
      {"C:\\Brevio\\", "C:\\Brevio\\\\brevio.exe", "\"C:\\Brevio\\\\brevio.exe\" -icon", "C:\\Brevio\\\\uninst.exe",
       "WinExec(\"C:\\Brevio\\\\brevio.exe\",5)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dataDir);
    fake::ResetFake();
    stages.chosenDir = c.dataDir;
    fake::Fake().ui.messageBoxAnswers = {WIN_IDYES};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(stages.exePath, c.exePath);
    EXPECT_EQ(stages.startupCommand, c.startupCommand);
    EXPECT_EQ(stages.uninstallerPath, c.uninstallerPath);
    EXPECT_EQ(Calls().back(), c.launched);
  }
}

// The longest texts composed are startupCommand and the quoted start command:
// a data directory of 1004 characters still fits every buffer whole; one of
// 1005 would be cut, so it is refused before anything is made or written.
TEST_F(DriverTest, DataDirectoryTooLongForItsPathsIsRefusedBeforeAnythingIsWritten) {
  stages.chosenDir = "C:\\" + std::string(1001, 'd');
  fake::Fake().ui.messageBoxAnswers = {WIN_IDYES};
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(stages.startupCommand, "\"" + stages.chosenDir + "\\brevio.exe\" -icon");
  EXPECT_EQ(stages.startupCommand.size(), 1023u);
  EXPECT_EQ(Calls().back(), "WinExec(\"" + stages.chosenDir + "\\brevio.exe\",5)");

  fake::ResetFake();
  for (const char* name : PAYLOAD_NAMES) std::filesystem::remove(name);
  stages = Stages();
  stages.chosenDir = "C:\\" + std::string(1002, 'd');
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(Calls(), (std::vector<std::string>{"ChooseDataDirectory", "MessageBox(Application Not Installed)"}));
  EXPECT_EQ(fake::Fake().ui.messageBoxes.at(0).text, NOT_INSTALLED_TEXT);
  for (const char* name : PAYLOAD_NAMES) EXPECT_FALSE(ScratchDirectory::Exists(name)) << name;
}

// Each failure: its text under the product's caption, then the removal of
// every payload file present (also one an earlier run left), and the end.
TEST_F(DriverTest, FailureShowsItsCauseThenRemovesThePayload) {
  struct Case {
    const char* name;
    fake::Countdown fake::FilesState::*fault;
    int at;
    const char* text;
    int progressTexts;
  };
  const Case cases[] = {
      {"second file cannot be created", &fake::FilesState::failOpenForWrite, 2, CREATE_FAILED_TEXT, 2},
      {"first write is short", &fake::FilesState::shortWrite, 1, WRITE_FAILED_TEXT, 1},
      {"closing the last file fails", &fake::FilesState::failClose, 3, WRITE_FAILED_TEXT, 3},
      {"no working buffer", &fake::FilesState::failAllocate, 1, NO_MEMORY_TEXT, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::ResetFake();
    ScratchDirectory::Write("uninst.exe", "left by an earlier run");
    (fake::Fake().files.*c.fault).at = c.at;

    EXPECT_EQ(Run(), 0);
    std::vector<std::string> calls = Calls();
    std::vector<std::string> expected =
        Join(Join(UpToExtraction(), ProgressTexts(c.progressTexts)), {"MessageBox(Brevio Paper Installation Failed)"});
    ASSERT_GT(calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + expected.size()), expected);
    for (size_t i = expected.size(); i < calls.size(); ++i) EXPECT_EQ(calls[i].rfind("RemoveFile(", 0), 0u) << calls[i];

    const fake::MessageBoxCall& box = fake::Fake().ui.messageBoxes.at(0);
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, c.text);
    EXPECT_EQ(box.style, WIN_MB_ICONWARNING);
    EXPECT_FALSE(fake::Fake().dialogs.dialogs.at(0).destroyed);
    for (const char* name : PAYLOAD_NAMES) EXPECT_FALSE(ScratchDirectory::Exists(name)) << name;
  }
}

// The close box, pressed while the thread takes its messages during the
// extraction, hides the window; the installation carries on to its end.
TEST_F(DriverTest, CloseBoxHidesTheProgressWindowWithoutStoppingTheInstallation) {
  platform::Window progress = reinterpret_cast<platform::Window>(1);  // the first dialog made
  fake::Fake().dialogs.onDispatch = [progress] {
    if (fake::Fake().dialogs.dispatchCount == 1) fake::SendToDialog(progress, WIN_WM_COMMAND, WIN_IDCANCEL, 0);
  };
  fake::Fake().ui.messageBoxAnswers = {WIN_IDYES};
  EXPECT_EQ(Run(), 0);

  const std::vector<std::string> texts = ProgressTexts(4);
  EXPECT_EQ(Calls(), Join(Join(UpToExtraction(), {texts[0], "EndDialog(0)", texts[1], texts[2], texts[3]}),
                          {"DestroyWindow", "RegisterProgmanGroups",
                           "WriteProfileString(Options,dataDir,C:\\Program Files\\Brevio,brevio.ini)",
                           "MessageBox(Installation Successful)",
                           "WinExec(\"C:\\Program Files\\Brevio\\brevio.exe\",5)"}));
  EXPECT_TRUE(fake::Fake().dialogs.dialogs.at(0).ended);
  for (int i : {0, 1, 2}) EXPECT_EQ(ScratchDirectory::Read(PAYLOAD_NAMES[i]), testPayloadContents[i]);
}

}  // namespace
