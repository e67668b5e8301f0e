// Closing running copies: which window titles count as a running copy, and
// the warning, pause, enumeration, pause sequence against a scripted desktop.
#include "running_copies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"
#include "test_product.h"

namespace {

constexpr unsigned WM_QUIT = 0x0012;

class RunningCopies : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::ResetFake();
    ASSERT_STREQ(productInfo.displayName, "Brevio Paper");
  }
  void TearDown() override { fake::ResetFake(); }
};

TEST_F(RunningCopies, TitleMatchesWhenItBeginsWithTheDisplayNameCaseSensitively) {
  const struct {
    std::string title;
    bool quits;
  } cases[] = {
      {"Brevio Paper", true},
      {"Brevio Paper - Monday.txt", true},
      {"Brevio Paper" + std::string(300, 'x'), true},  // cut to 255 characters, still begins with the name
      {"brevio paper", false},
      {"BREVIO PAPER", false},
      {"Brevio", false},
      {"Brevio Pape", false},  // ends before the name does
      {"My Brevio Paper notes", false},
      {" Brevio Paper", false},
      {"", false},
      {"Setup Progress", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("title \"" + c.title + "\"");
    fake::ResetFake();
    platform::Window window = fake::AddTopLevelWindow(c.title);

    EXPECT_EQ(CloseCopyEnumProc(window, 0), 1);

    auto& posted = fake::Fake().windows.posted;
    if (c.quits) {
      ASSERT_EQ(posted.size(), 1u);
      EXPECT_EQ(posted[0].window, window);
      EXPECT_EQ(posted[0].message, WM_QUIT);
      EXPECT_EQ(posted[0].wParam, 0u);
      EXPECT_EQ(posted[0].lParam, 0);
    } else {
      EXPECT_TRUE(posted.empty());
    }
    ASSERT_FALSE(fake::Fake().calls.empty());
    EXPECT_EQ(fake::Fake().calls[0], "GetWindowText(" + c.title + ",256)");
  }
}

TEST_F(RunningCopies, WarnsThenPausesThenQuitsEveryCopyThenPausesAgain) {
  fake::AddTopLevelWindow("Setup Progress");
  fake::AddTopLevelWindow("Brevio Paper");
  fake::AddTopLevelWindow("brevio paper");
  fake::AddTopLevelWindow("Brevio Paper - Monday.txt");
  fake::AddTopLevelWindow("My Brevio Paper notes");

  CloseRunningCopies();

  const std::vector<std::string> expected = {
      "MessageBox(Closing Running Copies)",
      "Sleep(4000)",
      "EnumWindows",
      "GetWindowText(Setup Progress,256)",
      "GetWindowText(Brevio Paper,256)",
      "PostMessage(Brevio Paper,18,0,0)",
      "GetWindowText(brevio paper,256)",
      "GetWindowText(Brevio Paper - Monday.txt,256)",
      "PostMessage(Brevio Paper - Monday.txt,18,0,0)",
      "GetWindowText(My Brevio Paper notes,256)",
      "Sleep(4000)",
  };
  EXPECT_EQ(fake::Fake().calls, expected);
  EXPECT_EQ(fake::Fake().windows.enumerated.size(), 5u);  // the walk never stopped early

  const auto& boxes = fake::Fake().ui.messageBoxes;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_EQ(boxes[0].text,
            "Any copies of Brevio Paper currently running must now be shut down. This may take a few seconds.");
  EXPECT_EQ(boxes[0].caption, "Closing Running Copies");
  EXPECT_EQ(boxes[0].style, 0x30u);
}

TEST_F(RunningCopies, WarningAndBothPausesHappenWhenNothingIsRunning) {
  fake::Fake().ui.messageBoxAnswers = {2};  // whatever the box answers, it is not examined

  CloseRunningCopies();

  const std::vector<std::string> expected = {
      "MessageBox(Closing Running Copies)",
      "Sleep(4000)",
      "EnumWindows",
      "Sleep(4000)",
  };
  EXPECT_EQ(fake::Fake().calls, expected);
  EXPECT_TRUE(fake::Fake().windows.posted.empty());
}

TEST_F(RunningCopies, UnreadableTitleIsNotTakenForThePreviousWindowsTitle) {
  platform::Window copy = fake::AddTopLevelWindow("Brevio Paper");
  fake::AddTopLevelWindow("Brevio Paper", /*titleReadable=*/false);  // e.g. closed during the walk

  CloseRunningCopies();

  const auto& posted = fake::Fake().windows.posted;
  ASSERT_EQ(posted.size(), 1u);
  EXPECT_EQ(posted[0].window, copy);
  EXPECT_EQ(fake::Fake().windows.enumerated.size(), 2u);
}

}  // namespace
