// The launcher's configuration: keys, defaults, caption, the command runner's
// success test and its error message.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fake_setup.h"
#include "launcher_config.h"

namespace {

const char* const kIni = "\\Internet\\Vantorin\\cdrun.ini";

class LauncherConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setupfake::Reset();
    for (char* buffer : {bitmapFileName, companyName, windowCaption, commandValue}) std::memset(buffer, 0, kValueSize);
  }
  void WriteIni(const std::string& text) { setupfake::Fake().system.iniFiles[kIni] = text; }
};

TEST_F(LauncherConfigTest, WithoutTheFileEveryValueIsItsDefault) {
  ReadLauncherSettings();
  EXPECT_STREQ(bitmapFileName, "Error");
  EXPECT_STREQ(companyName, "Software");
  EXPECT_STREQ(windowCaption, "Software Installation");
  EXPECT_EQ(setupfake::Fake().calls,
            (std::vector<std::string>{"GetProfileString(CDRun,Bitmap,\\Internet\\Vantorin\\cdrun.ini)",
                                      "GetProfileString(CDRun,CompanyName,\\Internet\\Vantorin\\cdrun.ini)"}));
}

TEST_F(LauncherConfigTest, CaptionIsFormedFromTheCompanyName) {
  WriteIni("[cdrun]\nbitmap=splash.bmp\ncompanyname=\"Vantorin\"\n");
  ReadLauncherSettings();
  EXPECT_STREQ(bitmapFileName, "splash.bmp");
  EXPECT_STREQ(windowCaption, "Vantorin Installation");
}

TEST_F(LauncherConfigTest, PercentSignsInTheCompanyNameShowLiterally) {
  WriteIni("[CDRun]\nCompanyName=100% %s %d %n Co\n");
  ReadLauncherSettings();
  EXPECT_STREQ(windowCaption, "100% %s %d %n Co Installation");
}

TEST_F(LauncherConfigTest, ALongCompanyNameIsCutToTheCaptionBuffer) {
  // The profile reader yields at most 1023 characters; the caption adds 13.
  WriteIni("[CDRun]\nCompanyName=" + std::string(1200, 'c') + "\n");
  ReadLauncherSettings();
  EXPECT_EQ(std::strlen(companyName), 1023u);
  EXPECT_EQ(std::string(windowCaption), std::string(1023, 'c'));
  std::memset(companyName, 0, kValueSize);
  WriteIni("[CDRun]\nCompanyName=" + std::string(1015, 'c') + "\n");
  ReadLauncherSettings();
  EXPECT_EQ(std::string(windowCaption), std::string(1015, 'c') + " Install");
}

struct CommandCase {
  const char* name;
  const char* ini;  // null: no file
  const char* key;
  int32_t shellResult;
  int expectedResult;
  const char* expectedFile;
  const char* expectedMessage;  // null: no message box
};

class RunConfiguredCommandTest : public LauncherConfigTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(RunConfiguredCommandTest, OpensTheValueAndReportsARefusal) {
  const CommandCase& c = GetParam();
  if (c.ini) WriteIni(c.ini);
  std::strcpy(windowCaption, "Vantorin Installation");
  setupfake::Fake().system.shellResults.push_back(c.shellResult);

  EXPECT_EQ(RunConfiguredCommand(c.key), c.expectedResult);

  auto& shell = setupfake::Fake().system.shellCalls;
  ASSERT_EQ(shell.size(), 1u);
  EXPECT_EQ(shell[0].file, c.expectedFile);
  EXPECT_EQ(shell[0].verb, "open");
  EXPECT_EQ(shell[0].owner, nullptr);
  EXPECT_FALSE(shell[0].hasParameters);
  EXPECT_FALSE(shell[0].hasDirectory);
  EXPECT_EQ(shell[0].show, 1);
  EXPECT_STREQ(commandValue, c.expectedFile);

  auto& boxes = setupfake::Fake().ui.messageBoxes;
  if (!c.expectedMessage) {
    EXPECT_TRUE(boxes.empty());
    return;
  }
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, c.expectedMessage);
  EXPECT_EQ(boxes[0].caption, "Vantorin Installation");
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_EQ(boxes[0].style, 0x2010u);
}

const char kCdrun[] =
    "[CDRun]\nInstall=\\Internet\\Vantorin\\installer.exe\nMoreInfo=setup.htm\nAbout=\"about me.htm\"\n"
    "Empty=\nPercent=50%s off %d %%\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RunConfiguredCommandTest,
    ::testing::Values(
        CommandCase{"Accepted", kCdrun, "Install", 33, 1, "\\Internet\\Vantorin\\installer.exe", nullptr},
        CommandCase{"QuotesAreDropped", kCdrun, "about", 42, 1, "about me.htm", nullptr},
        CommandCase{"ExactlyThirtyTwoIsARefusal", kCdrun, "MoreInfo", 32, 0, "setup.htm",
                    "An error occurred executing ''setup.htm'': error code 32.\n"
                    "Please contact technical support."},
        CommandCase{"NoFileGivesTheDefaultAndCodeTwo", nullptr, "About", 2, 0, "Error in cdrun.ini",
                    "An error occurred executing ''Error in cdrun.ini'': error code 2.\n"
                    "Please contact technical support."},
        CommandCase{"EmptyValueIsNotReplacedByTheDefault", kCdrun, "Empty", 2, 0, "",
                    "An error occurred executing '''': error code 2.\nPlease contact technical support."},
        CommandCase{"PercentInTheValueShowsLiterally", kCdrun, "Percent", 31, 0, "50%s off %d %%",
                    "An error occurred executing ''50%s off %d %%'': error code 31.\n"
                    "Please contact technical support."},
        CommandCase{"NegativeCode", kCdrun, "Install", -5, 0, "\\Internet\\Vantorin\\installer.exe",
                    "An error occurred executing ''\\Internet\\Vantorin\\installer.exe'': error code -5.\n"
                    "Please contact technical support."}),
    [](const ::testing::TestParamInfo<CommandCase>& info) { return std::string(info.param.name); });

TEST_F(LauncherConfigTest, ALongestValueAndCodeFitTheErrorMessageWhole) {
  std::string value(1023, 'v');
  WriteIni("[CDRun]\nAbout=" + value + "\n");
  setupfake::Fake().system.shellResults.push_back(-2147483647 - 1);
  EXPECT_EQ(RunConfiguredCommand("About"), 0);
  ASSERT_EQ(setupfake::Fake().ui.messageBoxes.size(), 1u);
  EXPECT_EQ(setupfake::Fake().ui.messageBoxes[0].text,
            "An error occurred executing ''" + value +
                "'': error code -2147483648.\nPlease contact technical support.");
}

TEST_F(LauncherConfigTest, EveryCallReadsItsKeyAfresh) {
  WriteIni("[CDRun]\nMoreInfo=first.htm\n");
  RunConfiguredCommand("MoreInfo");
  WriteIni("[CDRun]\nMoreInfo=second.htm\n");
  RunConfiguredCommand("MoreInfo");
  auto& shell = setupfake::Fake().system.shellCalls;
  ASSERT_EQ(shell.size(), 2u);
  EXPECT_EQ(shell[0].file, "first.htm");
  EXPECT_EQ(shell[1].file, "second.htm");
}

}  // namespace
