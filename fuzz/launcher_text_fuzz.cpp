// The launcher's caption, warning and error texts from any configuration:
// the fuzzed text is the whole of cdrun.ini, read through the launcher's
// scripted fake; the dialog is opened and its buttons pressed, and every text
// that reaches the window or a message box is checked against its format.
//
// Input: a switch byte, then NUL-separated fields
//   the text of cdrun.ini, then three shell results (4 bytes each, in the
//   machine's order; missing ones mean "accepted").
// Switch 0: Yes to the printed-instructions question (else No).
#include <cstring>
#include <string>

#include "fake_setup.h"
#include "fuzz_input.h"
#include "launcher_config.h"
#include "setup_dialog.h"
#include "winvalues.h"

namespace {

// What the configuration yields for key (the profile reader of the fake,
// asked directly), as the launcher's buffers would hold it.
std::string Configured(const char* key, const char* fallback) {
  char value[kValueSize];
  std::memset(value, 'x', sizeof value);
  platform::GetProfileString(kLauncherSection, key, fallback, value, kValueSize, kLauncherIniFile);
  FUZZ_CHECK(std::memchr(value, '\0', sizeof value) != nullptr);
  return value;
}

std::string Cut(const std::string& text, size_t size) { return text.substr(0, size - 1); }

std::string Held(const char* buffer) {
  FUZZ_CHECK(std::memchr(buffer, '\0', kValueSize) != nullptr);
  return buffer;
}

intptr_t Send(unsigned message, uintptr_t wParam, intptr_t lParam = 0) {
  return CDialog::DialogProc(setupfake::kDialogWindow, message, wParam, lParam);
}

// One press that runs key with the shell answering result: the value goes to
// the shell whole, and a refusal shows the error text with the caption.
void CheckCommand(const char* key, int32_t result, size_t boxesBefore, size_t shellBefore) {
  const std::string value = Configured(key, "Error in cdrun.ini");
  const auto& fake = setupfake::Fake();
  FUZZ_CHECK(fake.system.shellCalls.size() == shellBefore + 1);
  const auto& call = fake.system.shellCalls.back();
  FUZZ_CHECK(call.file == value && call.verb == "open" && call.owner == nullptr);
  FUZZ_CHECK(!call.hasParameters && !call.hasDirectory && call.show == WIN_SW_SHOWNORMAL);
  FUZZ_CHECK(Held(commandValue) == value);
  if (result > 32) {
    FUZZ_CHECK(fake.ui.messageBoxes.size() == boxesBefore);
    return;
  }
  FUZZ_CHECK(fake.ui.messageBoxes.size() == boxesBefore + 1);
  const auto& box = fake.ui.messageBoxes.back();
  const std::string expected = "An error occurred executing ''" + value + "'': error code " + std::to_string(result) +
                               ".\nPlease contact technical support.";
  FUZZ_CHECK(box.text == Cut(expected, 2048));
  FUZZ_CHECK(box.caption == Held(windowCaption));
  FUZZ_CHECK(box.style == (WIN_MB_TASKMODAL | WIN_MB_ICONERROR) && box.owner == nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzinput::Input input = fuzzinput::Split(data, size, 2);
  int32_t results[3] = {42, 42, 42};
  const std::string& resultBytes = input.Field(1);
  for (size_t i = 0; i < 3 && 4 * i + 4 <= resultBytes.size(); ++i) std::memcpy(&results[i], &resultBytes[4 * i], 4);

  setupfake::Reset();
  instructionsRead = false;
  for (char* buffer : {bitmapFileName, companyName, windowCaption, commandValue}) std::memset(buffer, 'x', kValueSize);
  setupfake::Fake().system.iniFiles[kLauncherIniFile] = input.Field(0);
  auto& fake = setupfake::Fake();

  SetupDialog dialog;
  FUZZ_CHECK(Send(WIN_WM_INITDIALOG, 0, reinterpret_cast<intptr_t>(&dialog)) == 1);

  // The caption: "%s Installation" with the company name, cut to its buffer.
  const std::string company = Configured("CompanyName", "Software");
  const std::string caption = Cut(company + " Installation", kValueSize);
  FUZZ_CHECK(Held(bitmapFileName) == Configured("Bitmap", "Error"));
  FUZZ_CHECK(Held(companyName) == company);
  FUZZ_CHECK(Held(windowCaption) == caption);
  FUZZ_CHECK(fake.ui.windowTexts.size() == 1 && fake.ui.windowTexts[0] == caption);

  // Install Software first: only the warning, naming the company.
  FUZZ_CHECK(Send(WIN_WM_COMMAND, IDC_INSTALL_SOFTWARE) == 1);
  FUZZ_CHECK(fake.ui.messageBoxes.size() == 1 && fake.system.shellCalls.empty());
  const std::string warning = "The setup instructions contain important information about the " + company +
                              " software. Please read them before beginning installation.";
  FUZZ_CHECK(fake.ui.messageBoxes[0].text == Cut(warning, kValueSize));
  FUZZ_CHECK(fake.ui.messageBoxes[0].caption == caption);
  FUZZ_CHECK(fake.ui.messageBoxes[0].style == (WIN_MB_TASKMODAL | WIN_MB_ICONWARNING | WIN_MB_OK));

  fake.system.shellResults.push_back(results[0]);
  size_t boxes = fake.ui.messageBoxes.size();
  FUZZ_CHECK(Send(WIN_WM_COMMAND, IDC_ABOUT) == 1);
  CheckCommand("About", results[0], boxes, 0);

  fake.system.shellResults.push_back(results[1]);
  boxes = fake.ui.messageBoxes.size();
  FUZZ_CHECK(Send(WIN_WM_COMMAND, IDC_SETUP_INSTRUCTIONS) == 1);
  CheckCommand("MoreInfo", results[1], boxes, 1);
  FUZZ_CHECK(instructionsRead);

  // Now the question, then "Install" on Yes or "MoreInfo" again on No.
  const bool yes = input.Flag(0);
  fake.ui.messageBoxAnswers.push_back(yes ? WIN_IDYES : WIN_IDNO);
  fake.system.shellResults.push_back(results[2]);
  boxes = fake.ui.messageBoxes.size();
  FUZZ_CHECK(Send(WIN_WM_COMMAND, IDC_INSTALL_SOFTWARE) == 1);
  FUZZ_CHECK(fake.ui.messageBoxes.size() > boxes);
  FUZZ_CHECK(fake.ui.messageBoxes[boxes].text == "Have you printed out the setup instructions and read them carefully?");
  FUZZ_CHECK(fake.ui.messageBoxes[boxes].caption == caption);
  CheckCommand(yes ? "Install" : "MoreInfo", results[2], boxes + 1, 2);
  const bool exits = yes && results[2] > 32;
  FUZZ_CHECK(fake.system.exitStatuses.size() == (exits ? 1u : 0u));
  return 0;
}
