// The data directory from outside text: HOMEDRIVE and HOMEPATH of any length,
// a recorded INI value and a typed path, through CollapseSeparators,
// StripTrailingChar and the whole of ChooseDataDirectory on the scripted fake.
//
// Input: a switch byte, then NUL-separated fields
//   HOMEDRIVE, HOMEPATH, the recorded "dataDir" value, the typed path.
// Switches: 0 HOMEDRIVE set, 1 HOMEPATH set, 2 C:\Program Files\Brevio
// exists, 3 a value is recorded, 4 the dialog is answered with the typed
// path and OK (else it cannot be shown).
#include <cstring>
#include <string>

#include "datadir.h"
#include "fake_platform.h"
#include "fuzz_input.h"
#include "fuzz_product.h"
#include "winvalues.h"

namespace {

constexpr size_t kLimit = DATA_DIR_SIZE - 1;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// What the normalisation must give: every run of separators one "\".
std::string Collapsed(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsSeparator(text[i])) {
      out += text[i];
    } else if (i == 0 || !IsSeparator(text[i - 1])) {
      out += '\\';
    }
  }
  return out;
}

std::string Stripped(std::string text, char c) {
  if (!text.empty() && text.back() == c) text.pop_back();
  return text;
}

// The home-based proposal as the rules state it, or C:\Brevio when it would
// not fit in dataDir.
std::string HomeProposal(bool hasDrive, const std::string& driveValue, bool hasHome, const std::string& homeValue) {
  const std::string home = hasHome ? homeValue : "";
  const std::string drive = hasDrive ? driveValue : "C:";
  std::string proposal;
  if (!(home.size() >= 2 && home[1] == ':')) proposal = Stripped(Stripped(drive, '\\'), '/');
  proposal = Stripped(Stripped(proposal + home, '\\'), '/');
  proposal += "\\Brevio";
  return proposal.size() <= kLimit ? proposal : "C:\\Brevio";
}

// The two string functions on a heap block of exactly the text's size, so
// that a read or write past its NUL is an overrun that ASan reports.
void CheckStringFunctions(const std::string& value) {
  const std::string text = fuzzinput::AsCString(value);
  char* block = new char[text.size() + 1];

  std::memcpy(block, text.c_str(), text.size() + 1);
  CollapseSeparators(block);
  const std::string collapsed(block);
  FUZZ_CHECK(collapsed == Collapsed(text));
  for (size_t i = 0; i < collapsed.size(); ++i) {
    FUZZ_CHECK(collapsed[i] != '/');
    FUZZ_CHECK(!(i > 0 && collapsed[i] == '\\' && collapsed[i - 1] == '\\'));
  }
  // A second pass changes nothing.
  CollapseSeparators(block);
  FUZZ_CHECK(collapsed == block);

  for (char c : {'\\', '/', 'a', '\xff'}) {
    std::memcpy(block, text.c_str(), text.size() + 1);
    StripTrailingChar(block, c);
    FUZZ_CHECK(std::string(block) == Stripped(text, c));
  }
  delete[] block;
}

// The path of the first ChangeDirectory after the record was read: what the
// first pass of the loop tests.
std::string FirstTestedPath() {
  const auto& calls = fake::Fake().calls;
  bool afterRead = false;
  const std::string prefix = "ChangeDirectory(";
  for (const std::string& call : calls) {
    if (call.rfind("GetProfileString(", 0) == 0) afterRead = true;
    if (afterRead && call.rfind(prefix, 0) == 0) return call.substr(prefix.size(), call.size() - prefix.size() - 1);
  }
  FUZZ_CHECK(!"no ChangeDirectory after the record was read");
  return "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzinput::Input input = fuzzinput::Split(data, size, 4);
  for (const std::string& field : input.fields) CheckStringFunctions(field);

  const std::string& drive = input.Field(0);
  const std::string& home = input.Field(1);
  const std::string recorded = input.Field(2);
  const std::string typed = fuzzinput::AsCString(input.Field(3));

  fuzzproduct::Reset();
  fake::ResetFake();
  std::memset(dataDir, 'x', sizeof dataDir);  // no help from a zeroed buffer
  auto& dirs = fake::Fake().dirs;
  // A small world for typed paths to meet: a file, a directory, one that
  // cannot be entered and one whose creation is refused.
  dirs.directories = {"C:\\windows", "D:\\data"};
  dirs.files = {"C:\\windows\\win.ini"};
  dirs.lockedDirectories = {"C:\\locked"};
  dirs.refusedDirectories = {"D:\\data\\refused"};
  if (input.Flag(2)) dirs.directories.insert("C:\\Program Files\\Brevio");
  if (input.Flag(0)) dirs.environment["HOMEDRIVE"] = drive;
  if (input.Flag(1)) dirs.environment["HOMEPATH"] = home;
  if (input.Flag(3)) dirs.profile[fake::ProfileEntry{"brevio.ini", "Options", "dataDir"}] = recorded;
  if (input.Flag(4)) {
    fake::Fake().dialogs.dialogScripts.push_back([typed](platform::Window dialog) {
      fake::TypeIntoItem(dialog, 1097, typed);
      fake::SendToDialog(dialog, WIN_WM_COMMAND, WIN_IDOK, 0);
    });
  }
  for (int i = 0; i < 8; ++i) fake::Fake().ui.messageBoxAnswers.push_back(WIN_IDYES);

  const int result = ChooseDataDirectory(nullptr, nullptr);

  // dataDir always holds a NUL-terminated text of at most 1023 characters.
  FUZZ_CHECK(std::memchr(dataDir, '\0', sizeof dataDir) != nullptr);

  std::string proposal = input.Flag(2) ? "C:\\Program Files\\Brevio"
                                       : HomeProposal(input.Flag(0), drive, input.Flag(1), home);
  if (input.Flag(3)) proposal = recorded.substr(0, kLimit);
  const std::string expectedFirst = Collapsed(fuzzinput::AsCString(proposal));
  FUZZ_CHECK(FirstTestedPath() == expectedFirst);

  // The dialog opens with the normalised text of the first pass.
  const auto& itemTexts = fake::Fake().dialogs.itemTexts;
  if (input.Flag(4) && !itemTexts.empty()) FUZZ_CHECK(itemTexts.front().text == expectedFirst);

  const auto& boxes = fake::Fake().ui.messageBoxes;
  if (result == 1) {
    const std::string chosen(dataDir);
    FUZZ_CHECK(chosen == Collapsed(chosen));
    FUZZ_CHECK(chosen == expectedFirst || (input.Flag(4) && chosen == Collapsed(typed.substr(0, kLimit))));
    auto record = dirs.profile.find(fake::ProfileEntry{"brevio.ini", "Options", "dataDir"});
    FUZZ_CHECK(record != dirs.profile.end() && record->second == chosen);
    // The process was left in it: the last change of directory was into it.
    const auto& calls = fake::Fake().calls;
    std::string lastChange;
    for (const std::string& call : calls)
      if (call.rfind("ChangeDirectory(", 0) == 0) lastChange = call;
    FUZZ_CHECK(lastChange == "ChangeDirectory(" + chosen + ")");
  } else {
    FUZZ_CHECK(result == 0);
    FUZZ_CHECK(!boxes.empty() && boxes.back().caption == "Shutting Down");
  }
  return 0;
}
