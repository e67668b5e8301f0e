// The progress window's procedure and its text updates.
#include "progress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"
#include "resource.h"
#include "winvalues.h"

namespace {

platform::Window const WINDOW = reinterpret_cast<platform::Window>(0x77);

class ProgressTest : public ::testing::Test {
 protected:
  void SetUp() override { fake::ResetFake(); }
};

TEST_F(ProgressTest, UpdateSetsThePercentOnTheTextLineAndIgnoresTheFileName) {
  const std::vector<std::pair<int, std::string>> cases = {
      {0, "Percent Complete: 0%"}, {33, "Percent Complete: 33%"}, {100, "Percent Complete: 100%"}};
  for (const auto& [percent, text] : cases) {
    fake::ResetFake();
    UpdateProgressText(WINDOW, "brevio.exe", percent);
    ASSERT_EQ(fake::Fake().dialogs.itemTexts.size(), 1u);
    const fake::ItemTextCall& call = fake::Fake().dialogs.itemTexts[0];
    EXPECT_EQ(call.dialog, WINDOW);
    EXPECT_EQ(call.id, IDC_PROGRESS_TEXT);
    EXPECT_EQ(call.text, text);
    EXPECT_EQ(std::string(progressText), text);
  }
}

// Each message, the calls it makes and what the procedure returns.
TEST_F(ProgressTest, ProcedureShowsOnInitAndOnlyHidesOnCancel) {
  struct Case {
    const char* name;
    unsigned message;
    uintptr_t wParam;
    intptr_t result;
    std::vector<std::string> calls;
  };
  const std::vector<Case> cases = {
      {"init", WIN_WM_INITDIALOG, 0, 1, {"ShowWindow(5)"}},
      {"close box", WIN_WM_COMMAND, WIN_IDCANCEL, 0, {"EndDialog(0)"}},
      {"cancel with a notification code", WIN_WM_COMMAND, (1u << 16) | WIN_IDCANCEL, 0, {"EndDialog(0)"}},
      {"another command", WIN_WM_COMMAND, WIN_IDOK, 0, {}},
      {"a command whose high word only looks like cancel", WIN_WM_COMMAND, static_cast<uintptr_t>(WIN_IDCANCEL) << 16,
       0, {}},
      {"any other message", 0x000F, WIN_IDCANCEL, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fake::ResetFake();
    EXPECT_EQ(ProgressDialogProc(WINDOW, c.message, c.wParam, 0), c.result);
    EXPECT_EQ(fake::Fake().calls, c.calls);
  }
}

}  // namespace
