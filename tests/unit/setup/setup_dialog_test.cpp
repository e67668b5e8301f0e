// The launcher's dialog: start-up, caption, message routing, and the
// read-the-instructions rule, driven through the dialog procedure as the
// dialog manager would drive it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_setup.h"
#include "launcher_config.h"
#include "resource.h"
#include "setup_app.h"
#include "setup_dialog.h"

namespace {

const char* const kIni = "\\Internet\\Vantorin\\cdrun.ini";
const char kCdrun[] =
    "[CDRun]\nBitmap=splash.bmp\nCompanyName=Vantorin\nInstall=inst.exe\nMoreInfo=info.htm\nAbout=about.htm\n";

const char kWarning[] =
    "The setup instructions contain important information about the Vantorin software. "
    "Please read them before beginning installation.";
const char kQuestion[] = "Have you printed out the setup instructions and read them carefully?";

constexpr unsigned kCommand = 0x0111;

class SetupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setupfake::Reset();
    instructionsRead = false;
    for (char* buffer : {bitmapFileName, companyName, windowCaption, commandValue}) std::memset(buffer, 0, kValueSize);
    setupfake::Fake().system.iniFiles[kIni] = kCdrun;
  }

  // The dialog window comes up: WM_INITDIALOG with the object as parameter.
  intptr_t Open() {
    return Send(0x0110, 0, reinterpret_cast<intptr_t>(&dialog));
  }
  intptr_t Send(unsigned message, uintptr_t wParam, intptr_t lParam = 0) {
    return CDialog::DialogProc(setupfake::kDialogWindow, message, wParam, lParam);
  }
  // A click on a button: WM_COMMAND with BN_CLICKED (0) in the high word.
  intptr_t Press(int id) { return Send(kCommand, static_cast<uintptr_t>(id)); }

  void ClearRecords() {
    auto& fake = setupfake::Fake();
    fake.calls.clear();
    fake.ui.messageBoxes.clear();
    fake.system.shellCalls.clear();
  }
  std::vector<std::string> ShellFiles() const {
    std::vector<std::string> files;
    for (auto& call : setupfake::Fake().system.shellCalls) files.push_back(call.file);
    return files;
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (auto& box : setupfake::Fake().ui.messageBoxes) texts.push_back(box.text);
    return texts;
  }

  SetupDialog dialog;
};

TEST_F(SetupDialogTest, InitialisationSetsIconsThenReadsTheSettingsThenTheCaption) {
  setupfake::Reset();  // forget the construction of the fixture's dialog
  setupfake::Fake().system.iniFiles[kIni] = kCdrun;
  SetupDialog fresh;
  EXPECT_EQ(setupfake::Fake().calls, std::vector<std::string>{"LoadIcon(140)"});
  setupfake::Fake().calls.clear();
  EXPECT_EQ(Send(0x0110, 0, reinterpret_cast<intptr_t>(&fresh)), 1);
  EXPECT_EQ(setupfake::Fake().calls,
            (std::vector<std::string>{"SendMessage(128,1)", "SendMessage(128,0)",
                                      "GetProfileString(CDRun,Bitmap,\\Internet\\Vantorin\\cdrun.ini)",
                                      "GetProfileString(CDRun,CompanyName,\\Internet\\Vantorin\\cdrun.ini)",
                                      "SetWindowText(Vantorin Installation)"}));
  for (auto& sent : setupfake::Fake().ui.sentMessages) {
    EXPECT_EQ(sent.window, setupfake::kDialogWindow);
    EXPECT_EQ(sent.lParam, reinterpret_cast<intptr_t>(setupfake::kSetupIcon));
  }
  EXPECT_EQ(Send(0x0037, 0), reinterpret_cast<intptr_t>(setupfake::kSetupIcon));  // WM_QUERYDRAGICON
}

TEST_F(SetupDialogTest, MessagesBeforeInitialisationAndUnknownOnesAreLeftToTheDialogManager) {
  EXPECT_EQ(Send(0x0030, 0), 0);  // WM_SETFONT arrives before WM_INITDIALOG
  Open();
  EXPECT_EQ(Send(0x0200, 0), 0);                        // WM_MOUSEMOVE
  EXPECT_EQ(Send(kCommand, (1u << 16) | IDC_ABOUT), 0);  // not a click
  EXPECT_TRUE(setupfake::Fake().system.shellCalls.empty());
}

// One row of the state table: the flag before, the button, the scripted
// answers of the message boxes and the shell, and what must follow.
struct Row {
  const char* name;
  bool readBefore;
  int button;
  std::vector<int> answers;
  std::vector<int32_t> shellResults;
  std::vector<std::string> boxes;
  std::vector<std::string> opened;
  bool exits;
  bool readAfter;
};

class StateTableTest : public SetupDialogTest, public ::testing::WithParamInterface<Row> {};

TEST_P(StateTableTest, Row) {
  const Row& row = GetParam();
  Open();
  ClearRecords();
  instructionsRead = row.readBefore;
  for (int answer : row.answers) setupfake::Fake().ui.messageBoxAnswers.push_back(answer);
  for (int32_t result : row.shellResults) setupfake::Fake().system.shellResults.push_back(result);

  EXPECT_EQ(Press(row.button), 1);

  EXPECT_EQ(BoxTexts(), row.boxes);
  EXPECT_EQ(ShellFiles(), row.opened);
  EXPECT_EQ(setupfake::Fake().system.exitStatuses, row.exits ? std::vector<int>{0} : std::vector<int>{});
  EXPECT_EQ(instructionsRead, row.readAfter);
  EXPECT_TRUE(setupfake::Fake().ui.endDialogResults.empty());
}

const char kRefusedInfo[] =
    "An error occurred executing ''info.htm'': error code 2.\nPlease contact technical support.";
const char kRefusedInstall[] =
    "An error occurred executing ''inst.exe'': error code 32.\nPlease contact technical support.";

INSTANTIATE_TEST_SUITE_P(
    Rows, StateTableTest,
    ::testing::Values(
        Row{"NotReadInstructions", false, IDC_SETUP_INSTRUCTIONS, {}, {42}, {}, {"info.htm"}, false, true},
        Row{"NotReadInstructionsRefused", false, IDC_SETUP_INSTRUCTIONS, {}, {2}, {kRefusedInfo}, {"info.htm"},
            false, true},
        Row{"NotReadInstall", false, IDC_INSTALL_SOFTWARE, {1}, {}, {kWarning}, {}, false, false},
        Row{"ReadInstructions", true, IDC_SETUP_INSTRUCTIONS, {}, {42}, {}, {"info.htm"}, false, true},
        Row{"ReadInstallYesOpened", true, IDC_INSTALL_SOFTWARE, {6}, {33}, {kQuestion}, {"inst.exe"}, true, true},
        Row{"ReadInstallYesRefused", true, IDC_INSTALL_SOFTWARE, {6}, {32}, {kQuestion, kRefusedInstall},
            {"inst.exe"}, false, true},
        Row{"ReadInstallNo", true, IDC_INSTALL_SOFTWARE, {7}, {42}, {kQuestion}, {"info.htm"}, false, true},
        Row{"NotReadAbout", false, IDC_ABOUT, {}, {42}, {}, {"about.htm"}, false, false},
        Row{"ReadAbout", true, IDC_ABOUT, {}, {42}, {}, {"about.htm"}, false, true},
        Row{"NotReadExit", false, IDC_EXIT, {}, {}, {}, {}, true, false},
        Row{"ReadExit", true, IDC_EXIT, {}, {}, {}, {}, true, true}),
    [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

TEST_F(SetupDialogTest, TheLauncherBoxesAreOwnedByTheDialogAndCarryTheCaption) {
  Open();
  ClearRecords();
  Press(IDC_INSTALL_SOFTWARE);
  Press(IDC_SETUP_INSTRUCTIONS);
  Press(IDC_INSTALL_SOFTWARE);
  auto& boxes = setupfake::Fake().ui.messageBoxes;
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].owner, setupfake::kDialogWindow);
  EXPECT_EQ(boxes[0].caption, "Vantorin Installation");
  EXPECT_EQ(boxes[0].style, 0x2030u);
  EXPECT_EQ(boxes[1].owner, setupfake::kDialogWindow);
  EXPECT_EQ(boxes[1].caption, "Vantorin Installation");
  EXPECT_EQ(boxes[1].style, 0x2034u);
}

TEST_F(SetupDialogTest, ARefusedInstallationAsksAgainAtTheNextPress) {
  Open();
  instructionsRead = true;
  ClearRecords();
  setupfake::Fake().ui.messageBoxAnswers = {6, 1, 6};
  setupfake::Fake().system.shellResults = {32, 33};
  Press(IDC_INSTALL_SOFTWARE);
  EXPECT_TRUE(setupfake::Fake().system.exitStatuses.empty());
  Press(IDC_INSTALL_SOFTWARE);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kQuestion, kRefusedInstall, kQuestion}));
  EXPECT_EQ(setupfake::Fake().system.exitStatuses, std::vector<int>{0});
}

TEST_F(SetupDialogTest, EveryPressReadsItsKeyAfreshWhileTheCaptionStays) {
  Open();
  ClearRecords();
  Press(IDC_SETUP_INSTRUCTIONS);
  setupfake::Fake().system.iniFiles[kIni] = "[CDRun]\nCompanyName=Other\nMoreInfo=new.htm\nAbout=new-about.htm\n";
  Press(IDC_SETUP_INSTRUCTIONS);
  Press(IDC_ABOUT);
  EXPECT_EQ(ShellFiles(), (std::vector<std::string>{"info.htm", "new.htm", "new-about.htm"}));
  EXPECT_STREQ(windowCaption, "Vantorin Installation");
}

TEST_F(SetupDialogTest, WithoutTheFileTheWarningSpeaksOfTheSoftwareSoftware) {
  setupfake::Fake().system.iniFiles.clear();
  Open();
  EXPECT_EQ(setupfake::Fake().ui.windowTexts, std::vector<std::string>{"Software Installation"});
  Press(IDC_INSTALL_SOFTWARE);
  ASSERT_EQ(setupfake::Fake().ui.messageBoxes.size(), 1u);
  EXPECT_EQ(setupfake::Fake().ui.messageBoxes[0].text,
            "The setup instructions contain important information about the Software software. "
            "Please read them before beginning installation.");
  EXPECT_EQ(setupfake::Fake().ui.messageBoxes[0].caption, "Software Installation");
}

TEST_F(SetupDialogTest, TheWarningShowsAnyCompanyNameLiterallyAndCutToItsBuffer) {
  setupfake::Fake().system.iniFiles[kIni] = "[CDRun]\nCompanyName=%s%d%%" + std::string(1000, 'c') + "\n";
  Open();
  Press(IDC_INSTALL_SOFTWARE);
  ASSERT_EQ(setupfake::Fake().ui.messageBoxes.size(), 1u);
  const std::string& text = setupfake::Fake().ui.messageBoxes[0].text;
  EXPECT_EQ(text.size(), 1023u);
  EXPECT_EQ(text.rfind("The setup instructions contain important information about the %s%d%%ccc", 0), 0u);
}

TEST_F(SetupDialogTest, EscapeAndCloseEndTheDialogWithCancelWhateverTheFlag) {
  Open();
  instructionsRead = true;
  EXPECT_EQ(Press(2), 1);  // IDCANCEL: Esc, Alt+F4 and Close all arrive as this
  EXPECT_EQ(setupfake::Fake().ui.endDialogResults, std::vector<intptr_t>{2});
  EXPECT_TRUE(setupfake::Fake().ui.messageBoxes.empty());
  EXPECT_TRUE(setupfake::Fake().system.exitStatuses.empty());
}

TEST_F(SetupDialogTest, EnterWithoutAFocusedButtonEndsTheDialogWithOk) {
  Open();
  EXPECT_EQ(Press(1), 1);
  EXPECT_EQ(setupfake::Fake().ui.endDialogResults, std::vector<intptr_t>{1});
}

TEST_F(SetupDialogTest, HelpGoesToTheApplicationsHelpCommand) {
  SetupApp app;
  Open();
  EXPECT_EQ(Send(0x0053, 0), 1);           // WM_HELP (F1)
  EXPECT_EQ(Press(0xE146), 1);             // ID_HELP as a command
  EXPECT_EQ(Press(4321), 0);               // a command nobody handles
  EXPECT_TRUE(setupfake::Fake().ui.endDialogResults.empty());
}

TEST(SetupAppTest, RunsTheDialogModallyFromTemplate102AndReturnsFalse) {
  setupfake::Reset();
  instructionsRead = false;
  SetupApp app;
  CWnd* mainWindowDuringTheDialog = nullptr;
  setupfake::Fake().ui.runDialog = [&](platform::DialogProc proc, platform::Window window, intptr_t param) {
    mainWindowDuringTheDialog = app.m_pMainWnd;
    proc(window, 0x0110, 0, param);
    proc(window, kCommand, 2, 0);  // Esc
    return setupfake::Fake().ui.endDialogResults.back();
  };
  EXPECT_EQ(app.InitInstance(), FALSE);
  EXPECT_EQ(setupfake::Fake().ui.dialogTemplates, std::vector<int>{102});
  EXPECT_NE(mainWindowDuringTheDialog, nullptr);
  EXPECT_EQ(app.m_pMainWnd, nullptr);  // the dialog object is gone
  EXPECT_EQ(RunApplication(), 0);
}

}  // namespace
