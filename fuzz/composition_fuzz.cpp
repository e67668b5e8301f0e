// The paths and Program Manager commands composed from any data directory of
// up to 1023 characters: InstallerMain runs on the scripted fake with a data
// directory stage that yields the fuzzed path, the real Program Manager stage
// and a recording DDE server, and every text it makes is checked against the
// composition rules.
//
// Input: a switch byte, then NUL-separated fields
//   dataDir, shortName, displayName, exeName, startupArgs, a DDE service name,
//   then (switch 5) exePath, startupCommand, uninstallerPath.
// Switches: 0 a PROGMAN server answers, 1 Yes to the Startup question, 2 Yes
// to the offer to start the application, 3 product values from the input
// (within the generator's limits: names of 1 to 100 characters without
// control characters or ,()[]"), 4 the same without the limits (up to 1023
// characters), to try the installer's own guards, 5 the Program Manager stage
// alone, with the three composed paths (up to 1023 characters each) taken
// from the input as they are, so that commands too long for any buffer occur.
#include <cstring>
#include <string>
#include <vector>

#include "datadir.h"
#include "driver.h"
#include "driver_stages.h"
#include "fake_platform.h"
#include "fuzz_input.h"
#include "fuzz_product.h"
#include "progman.h"
#include "winvalues.h"

namespace {

constexpr size_t kBufferSize = 1024;  // every composed path, the message text and dataDir

std::string fuzzedDataDir;

int ChooseFuzzedDataDirectory(platform::Instance, platform::Window) {
  std::memcpy(dataDir, fuzzedDataDir.c_str(), fuzzedDataDir.size() + 1);
  return 1;
}
void NoRunningCopies() {}

bool WithinGeneratorLimits(const std::string& value, bool mayBeEmpty) {
  if (value.size() > 100 || (value.empty() && !mayBeEmpty)) return false;
  for (unsigned char c : value) {
    if (c < 0x20 || c == 0x7F || std::strchr(",()[]\"", c) != nullptr) return false;
  }
  return true;
}

// The text of a fixed buffer, which must hold its NUL.
std::string Held(const char* buffer, size_t size) {
  FUZZ_CHECK(std::memchr(buffer, '\0', size) != nullptr);
  return buffer;
}

// The commands in the order of the table; the Startup ones only after Yes.
std::vector<std::string> ExpectedCommands(const std::string& dir, const std::string& exe,
                                          const std::string& uninstaller, const std::string& startup,
                                          const std::string& shortName, const std::string& displayName,
                                          bool startupToo) {
  const std::string quotedDir = "\"" + dir + "\"";
  std::vector<std::string> commands = {
      "[CreateGroup(" + shortName + ")]",
      "[ShowGroup(" + shortName + ",5)]",
      "[ReplaceItem(" + displayName + ")]",
      "[AddItem(\"" + exe + "\"," + displayName + ",,,,," + quotedDir + ")]",
      "[ReplaceItem(Uninstall)]",
      "[AddItem(\"" + uninstaller + "\",Uninstall,,,,," + quotedDir + ")]",
  };
  if (startupToo) {
    for (const std::string& command :
         {std::string("[CreateGroup(Startup)]"), std::string("[ShowGroup(Startup,5)]"),
          "[ReplaceItem(" + shortName + ")]", "[AddItem(" + startup + "," + shortName + ",,,,," + quotedDir + ")]"})
      commands.push_back(command);
  }
  return commands;
}

// Every command goes in a conversation of its own and is sent whole, with
// its NUL counted; one that does not fit the command buffer is left out,
// never cut short. Anything that fits the documented 1024 bytes is sent.
void CheckSentCommands(const std::vector<std::string>& commands, bool serverPresent) {
  auto& fake = fake::Fake();
  const auto& sent = fake.dde.transactions;
  if (!serverPresent) FUZZ_CHECK(sent.empty());
  size_t next = 0;
  for (const auto& transaction : sent) {
    FUZZ_CHECK(transaction.length >= 1 && transaction.bytes.size() == transaction.length);
    FUZZ_CHECK(transaction.bytes.back() == '\0');
    const std::string text = transaction.bytes.substr(0, transaction.length - 1);
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    FUZZ_CHECK(transaction.format == WIN_CF_TEXT && transaction.type == WIN_XTYP_EXECUTE);
    FUZZ_CHECK(transaction.timeout == 2000 && transaction.conversation != nullptr);
    while (next < commands.size() && commands[next] != text) {
      FUZZ_CHECK(commands[next].size() >= kBufferSize);  // only an overlong one may be skipped
      ++next;
    }
    FUZZ_CHECK(next < commands.size());
    ++next;
  }
  if (serverPresent) {
    for (; next < commands.size(); ++next) FUZZ_CHECK(commands[next].size() >= kBufferSize);
  }
  FUZZ_CHECK(fake.dde.liveStrings.empty() && fake.dde.badFrees == 0 && fake.dde.openConversations == 0);
  FUZZ_CHECK(fake.dde.uninitialized.size() == 1);
}

// The Program Manager stage on its own, from composed paths of any content.
void CheckStageAlone(const fuzzinput::Input& input, const std::string& shortName, const std::string& displayName) {
  std::string paths[3];
  char* buffers[3] = {exePath, startupCommand, uninstallerPath};
  for (int i = 0; i < 3; ++i) {
    paths[i] = fuzzinput::AsCString(input.Field(6 + i)).substr(0, kBufferSize - 1);
    std::memcpy(buffers[i], paths[i].c_str(), paths[i].size() + 1);
  }
  std::memcpy(dataDir, fuzzedDataDir.c_str(), fuzzedDataDir.size() + 1);
  RegisterProgmanGroups();
  CheckSentCommands(ExpectedCommands(fuzzedDataDir, paths[0], paths[2], paths[1], shortName, displayName,
                                     input.Flag(1)),
                    input.Flag(0));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzinput::Input input = fuzzinput::Split(data, size, 9);
  fuzzedDataDir = fuzzinput::AsCString(input.Field(0)).substr(0, kBufferSize - 1);

  std::string shortName = "Brevio", displayName = "Brevio Paper", exeName = "brevio.exe", args = "-icon";
  if (input.Flag(3) || input.Flag(4)) {
    const bool limited = !input.Flag(4);
    std::string values[4];
    for (int i = 0; i < 4; ++i) values[i] = fuzzinput::AsCString(input.Field(1 + i)).substr(0, 1023);
    if (!limited || (WithinGeneratorLimits(values[0], false) && WithinGeneratorLimits(values[1], false) &&
                     WithinGeneratorLimits(values[2], false) && WithinGeneratorLimits(values[3], true))) {
      shortName = values[0], displayName = values[1], exeName = values[2], args = values[3];
    }
  }
  fuzzproduct::Set(shortName, displayName, exeName, args);

  fake::ResetFake();
  fake::Fake().dde.serverPresent = input.Flag(0);
  fake::Fake().ui.messageBoxAnswers = {input.Flag(1) ? WIN_IDYES : WIN_IDNO, input.Flag(2) ? WIN_IDYES : WIN_IDNO};
  for (char* buffer : {exePath, startupCommand, uninstallerPath}) std::memset(buffer, 'x', COMPOSED_PATH_SIZE);
  if (input.Flag(5)) {
    CheckStageAlone(input, shortName, displayName);
    return 0;
  }
  installerStages = {ChooseFuzzedDataDirectory, NoRunningCopies, RegisterProgmanGroups};

  FUZZ_CHECK(InstallerMain(nullptr, nullptr, nullptr, 0) == 0);

  const std::string& dir = fuzzedDataDir;
  const std::string expectedExe = dir + "\\" + exeName;
  const std::string expectedStartup = "\"" + dir + "\\" + exeName + "\" " + args;
  const std::string expectedUninstaller = dir + "\\uninst.exe";
  const std::string launch = "\"" + expectedExe + "\"";
  const std::string failedCaption = displayName + " Installation Failed";
  const std::string success = displayName + " has been successfully installed on your system.Would you like to start " +
                              displayName + " now?";
  bool fits = true;
  for (const std::string* text : {&expectedExe, &expectedStartup, &expectedUninstaller, &launch, &failedCaption, &success})
    fits = fits && text->size() < kBufferSize;

  auto& fake = fake::Fake();
  const auto& boxes = fake.ui.messageBoxes;
  if (!fits) {
    // Refused before anything was written or sent, never cut short.
    FUZZ_CHECK(boxes.size() == 1 && boxes[0].caption == "Application Not Installed");
    FUZZ_CHECK(fake.dde.initializeInstancesIn.empty() && fake.dde.transactions.empty());
    FUZZ_CHECK(fake.dialogs.dialogs.empty());
    return 0;
  }

  FUZZ_CHECK(Held(exePath, COMPOSED_PATH_SIZE) == expectedExe);
  FUZZ_CHECK(Held(startupCommand, COMPOSED_PATH_SIZE) == expectedStartup);
  FUZZ_CHECK(Held(uninstallerPath, COMPOSED_PATH_SIZE) == expectedUninstaller);

  CheckSentCommands(ExpectedCommands(dir, expectedExe, expectedUninstaller, expectedStartup, shortName, displayName,
                                     input.Flag(1)),
                    input.Flag(0));

  // The record, the question and the start of the application.
  auto record = fake.dirs.profile.find(fake::ProfileEntry{"brevio.ini", "Options", "dataDir"});
  FUZZ_CHECK(record != fake.dirs.profile.end() && record->second == dir);
  FUZZ_CHECK(!boxes.empty() && boxes.back().caption == "Installation Successful" && boxes.back().text == success);
  const std::string started = "WinExec(" + launch + "," + std::to_string(WIN_SW_SHOW) + ")";
  bool wasStarted = false;
  for (const std::string& call : fake.calls) wasStarted = wasStarted || call == started;
  FUZZ_CHECK(wasStarted == input.Flag(2));

  // The DDE callback accepts a connection exactly for the short name, as far
  // as its 256-byte name buffer reaches.
  const std::string service = fuzzinput::AsCString(input.Field(5));
  platform::DdeHandle name = fake::MakeDdeString(service);
  platform::DdeHandle accepted =
      ProgmanDdeCallback(WIN_XTYP_CONNECT, 0, nullptr, nullptr, name, nullptr, 0, 0);
  FUZZ_CHECK((accepted != nullptr) == (service.substr(0, 255) == shortName));
  FUZZ_CHECK(ProgmanDdeCallback(WIN_XTYP_CONNECT + 1, 0, nullptr, nullptr, name, nullptr, 0, 0) == nullptr);
  return 0;
}
