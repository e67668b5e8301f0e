// The Program Manager stage against the recording DDE transport: the exact
// bytes of every command, one conversation per command, the Startup question,
// and what happens when no server, no instance or no string handle is there.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "datadir.h"
#include "driver.h"
#include "fake_platform.h"
#include "product.h"
#include "progman.h"
#include "winvalues.h"

namespace {

constexpr unsigned XTYP_REQUEST = 0x20B0;
constexpr unsigned XTYP_POKE = 0x4090;
constexpr unsigned XTYP_WILDCONNECT = 0x20E2;
constexpr unsigned XTYP_REGISTER = 0x80A2;
constexpr unsigned XTYP_UNREGISTER = 0x80D2;

const std::vector<std::string> kWorkedExample = {
    "[CreateGroup(Brevio)]",
    "[ShowGroup(Brevio,5)]",
    "[ReplaceItem(Brevio Paper)]",
    "[AddItem(\"C:\\Program Files\\Brevio\\brevio.exe\",Brevio Paper,,,,,\"C:\\Program Files\\Brevio\")]",
    "[ReplaceItem(Uninstall)]",
    "[AddItem(\"C:\\Program Files\\Brevio\\uninst.exe\",Uninstall,,,,,\"C:\\Program Files\\Brevio\")]",
    "[CreateGroup(Startup)]",
    "[ShowGroup(Startup,5)]",
    "[ReplaceItem(Brevio)]",
    "[AddItem(\"C:\\Program Files\\Brevio\\brevio.exe\" -icon,Brevio,,,,,\"C:\\Program Files\\Brevio\")]",
};

// Copies text into a path buffer, cut to fit as the driver may leave it.
void CopyInto(char* buffer, size_t size, const std::string& text) {
  size_t count = text.size() < size - 1 ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
}

// Fills dataDir and the three paths as the driver composes them.
void SetDataDir(const std::string& dir) {
  const std::string exe = productInfo.exeName;
  CopyInto(dataDir, sizeof dataDir, dir);
  CopyInto(exePath, sizeof exePath, dir + "\\" + exe);
  CopyInto(startupCommand, sizeof startupCommand, "\"" + dir + "\\" + exe + "\" " + productInfo.startupArgs);
  CopyInto(uninstallerPath, sizeof uninstallerPath, dir + "\\uninst.exe");
}

// The ten commands, written out from the current buffers.
std::vector<std::string> ExpectedCommands(const ProductInfo& product) {
  std::string dir = dataDir, exe = exePath, uninst = uninstallerPath, startup = startupCommand;
  std::string shortName = product.shortName, displayName = product.displayName;
  return {
      "[CreateGroup(" + shortName + ")]",
      "[ShowGroup(" + shortName + ",5)]",
      "[ReplaceItem(" + displayName + ")]",
      "[AddItem(\"" + exe + "\"," + displayName + ",,,,,\"" + dir + "\")]",
      "[ReplaceItem(Uninstall)]",
      "[AddItem(\"" + uninst + "\",Uninstall,,,,,\"" + dir + "\")]",
      "[CreateGroup(Startup)]",
      "[ShowGroup(Startup,5)]",
      "[ReplaceItem(" + shortName + ")]",
      "[AddItem(" + startup + "," + shortName + ",,,,,\"" + dir + "\")]",
  };
}

// The texts that reached the server, without their terminating NUL.
std::vector<std::string> SentCommands() {
  std::vector<std::string> sent;
  for (const auto& call : fake::Fake().dde.transactions) {
    sent.push_back(call.bytes.substr(0, call.bytes.size() - 1));
  }
  return sent;
}

std::vector<std::string> First(const std::vector<std::string>& commands, size_t count) {
  return std::vector<std::string>(commands.begin(), commands.begin() + count);
}

class ProgmanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake::ResetFake();
    ddeInstance = 0;
    SetDataDir("C:\\Program Files\\Brevio");
  }

  static void AnswerStartup(int answer) { fake::Fake().ui.messageBoxAnswers.push_back(answer); }

  // Every string handle freed once, no conversation left open, the instance
  // ended: whatever happened to the commands.
  static void ExpectCleanEnd(size_t commandCount) {
    const auto& dde = fake::Fake().dde;
    EXPECT_TRUE(dde.liveStrings.empty());
    EXPECT_EQ(dde.badFrees, 0);
    EXPECT_EQ(dde.openConversations, 0);
    EXPECT_EQ(dde.disconnects.size(), commandCount);  // one per command, also for a null conversation
    EXPECT_EQ(dde.uninitialized.size(), 1u);
    EXPECT_EQ(ddeInstance, 0u);
  }
};

TEST_F(ProgmanTest, WorkedExampleSendsTenCommandsByteForByte) {
  fake::Fake().dde.serverPresent = true;
  AnswerStartup(WIN_IDYES);

  RegisterProgmanGroups();

  const auto& dde = fake::Fake().dde;
  EXPECT_EQ(SentCommands(), kWorkedExample);
  EXPECT_EQ(dde.initializeInstancesIn, std::vector<uint32_t>{0});
  EXPECT_EQ(dde.initializeCommands, 0x8000u);
  EXPECT_EQ(dde.callback, &ProgmanDdeCallback);
  EXPECT_EQ(dde.uninitialized, std::vector<uint32_t>{dde.newInstance});

  ASSERT_EQ(dde.transactions.size(), 10u);
  ASSERT_EQ(dde.connects.size(), 10u);
  for (size_t i = 0; i < 10; ++i) {
    SCOPED_TRACE(i + 1);
    const auto& call = dde.transactions[i];
    EXPECT_EQ(call.length, kWorkedExample[i].size() + 1);
    EXPECT_EQ(call.bytes.back(), '\0');
    EXPECT_EQ(call.format, 1u);
    EXPECT_EQ(call.type, 0x4050u);
    EXPECT_EQ(call.timeout, 2000u);
    EXPECT_EQ(call.item, nullptr);
    EXPECT_EQ(dde.connects[i].service, "PROGMAN");
    EXPECT_EQ(dde.connects[i].topic, "PROGMAN");
    EXPECT_EQ(call.conversation, dde.connects[i].conversation);
    EXPECT_EQ(dde.disconnects[i], dde.connects[i].conversation);
  }
  ExpectCleanEnd(10);

  // Each command has a conversation of its own, ended before the next one
  // begins; the handles are freed service first, then topic (both "PROGMAN").
  const std::vector<std::string> perCommand = {
      "DdeCreateStringHandle(PROGMAN)", "DdeCreateStringHandle(PROGMAN)", "DdeConnect", "DdeClientTransaction",
      "DdeFreeStringHandle", "DdeFreeStringHandle", "DdeDisconnect"};
  std::vector<std::string> expectedLog = {"DdeInitialize"};
  for (int i = 0; i < 10; ++i) {
    if (i == 6) expectedLog.push_back("MessageBox(Add To Startup Group)");
    expectedLog.insert(expectedLog.end(), perCommand.begin(), perCommand.end());
  }
  expectedLog.push_back("DdeUninitialize");
  EXPECT_EQ(fake::Fake().calls, expectedLog);
}

TEST_F(ProgmanTest, StartupQuestionIsTheProductsPromptWithoutOwnerOrIcon) {
  AnswerStartup(WIN_IDNO);
  RegisterProgmanGroups();
  const auto& boxes = fake::Fake().ui.messageBoxes;
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, nullptr);
  EXPECT_EQ(boxes[0].text, productInfo.startupPrompt);
  EXPECT_EQ(boxes[0].caption, "Add To Startup Group");
  EXPECT_EQ(boxes[0].style, 0x4u);
}

TEST_F(ProgmanTest, CommandsFollowTheDataDirectoryWhateverItsLength) {
  struct Case {
    const char* name;
    std::string dir;
  };
  const std::vector<Case> cases = {
      {"trailing backslash", "D:\\Apps\\Brevio\\"},
      {"commands past 1024 bytes", "C:\\" + std::string(600, 'd')},
      {"longest data directory", "C:\\" + std::string(DATA_DIR_SIZE - 4, 'x')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake::ResetFake();
    fake::Fake().dde.serverPresent = true;
    AnswerStartup(WIN_IDYES);
    SetDataDir(c.dir);

    RegisterProgmanGroups();

    std::vector<std::string> expected = ExpectedCommands(productInfo);
    EXPECT_EQ(SentCommands(), expected);
    for (const auto& call : fake::Fake().dde.transactions) {
      EXPECT_EQ(call.length, std::strlen(call.bytes.c_str()) + 1);
    }
    ExpectCleanEnd(10);
  }
  // The trailing backslash is kept, so the join has two of them.
  SetDataDir("D:\\Apps\\Brevio\\");
  EXPECT_EQ(ExpectedCommands(productInfo)[3],
            "[AddItem(\"D:\\Apps\\Brevio\\\\brevio.exe\",Brevio Paper,,,,,\"D:\\Apps\\Brevio\\\")]");
  // The long cases really pass the old 1024-byte command buffer.
  SetDataDir("C:\\" + std::string(600, 'd'));
  EXPECT_GT(ExpectedCommands(productInfo)[9].size(), 1024u);
}

TEST_F(ProgmanTest, StartupAnswerDecidesCommandsSevenToTen) {
  struct Case {
    const char* name;
    int32_t offerStartup;
    int answer;
    size_t boxes;
    size_t commands;
  };
  const Case cases[] = {
      {"Yes", 1, WIN_IDYES, 1, 10},
      {"No", 1, WIN_IDNO, 1, 6},
      {"any answer but Yes", 1, WIN_IDOK, 1, 6},
      {"no offer", 0, WIN_IDYES, 0, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake::ResetFake();
    fake::Fake().dde.serverPresent = true;
    AnswerStartup(c.answer);
    ProductInfo product = productInfo;
    product.offerStartup = c.offerStartup;

    RegisterProgmanGroupsFor(product);

    EXPECT_EQ(fake::Fake().ui.messageBoxes.size(), c.boxes);
    EXPECT_EQ(SentCommands(), First(kWorkedExample, c.commands));
    ExpectCleanEnd(c.commands);
  }
}

TEST_F(ProgmanTest, WithoutServerEveryCommandStillTriesItsOwnConnection) {
  AnswerStartup(WIN_IDYES);
  RegisterProgmanGroups();

  const auto& dde = fake::Fake().dde;
  EXPECT_EQ(fake::Fake().ui.messageBoxes.size(), 1u);
  ASSERT_EQ(dde.connects.size(), 10u);
  for (const auto& connect : dde.connects) {
    EXPECT_EQ(connect.service, "PROGMAN");
    EXPECT_EQ(connect.topic, "PROGMAN");
    EXPECT_EQ(connect.conversation, nullptr);
  }
  EXPECT_TRUE(dde.transactions.empty());
  for (auto conversation : dde.disconnects) EXPECT_EQ(conversation, nullptr);
  ExpectCleanEnd(10);
}

TEST_F(ProgmanTest, RefusedCommandsAreNeitherRepeatedNorReported) {
  fake::Fake().dde.serverPresent = true;
  fake::Fake().dde.executesAccepted = false;
  AnswerStartup(WIN_IDYES);

  RegisterProgmanGroups();

  EXPECT_EQ(SentCommands(), kWorkedExample);
  EXPECT_EQ(fake::Fake().ui.messageBoxes.size(), 1u);  // only the Startup question
  ExpectCleanEnd(10);
}

TEST_F(ProgmanTest, FailedInitialisationConnectsNowhereButStillAsks) {
  fake::Fake().dde.serverPresent = true;
  fake::Fake().dde.initializeResult = 0x4006;  // DMLERR_DLL_USAGE
  AnswerStartup(WIN_IDYES);

  RegisterProgmanGroups();

  const auto& dde = fake::Fake().dde;
  EXPECT_EQ(fake::Fake().ui.messageBoxes.size(), 1u);
  EXPECT_TRUE(dde.connects.empty());  // never with null service and topic
  EXPECT_TRUE(dde.transactions.empty());
  ExpectCleanEnd(10);
}

TEST_F(ProgmanTest, CommandWithoutStringHandleIsSkippedAndTheRestGoOn) {
  struct Case {
    const char* name;
    int failingCreation;  // 1-based; two creations per command: service, then topic
    size_t skippedCommand;  // 0-based
    const char* survivor;   // the text of the handle that was made and must be freed
  };
  const Case cases[] = {
      {"service of command 1", 1, 0, "PROGMAN"},
      {"topic of command 2", 4, 1, "PROGMAN"},
      {"service of command 10", 19, 9, "PROGMAN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake::ResetFake();
    auto& dde = fake::Fake().dde;
    dde.serverPresent = true;
    dde.failStringHandleAt = {c.failingCreation};
    AnswerStartup(WIN_IDYES);

    RegisterProgmanGroups();

    std::vector<std::string> expected = kWorkedExample;
    expected.erase(expected.begin() + static_cast<long>(c.skippedCommand));
    EXPECT_EQ(SentCommands(), expected);
    EXPECT_EQ(dde.connects.size(), 9u);
    for (const auto& connect : dde.connects) {
      EXPECT_EQ(connect.service, "PROGMAN");
      EXPECT_EQ(connect.topic, "PROGMAN");
    }
    EXPECT_EQ(dde.freedStrings.size(), 19u);
    EXPECT_EQ(dde.disconnects[c.skippedCommand], nullptr);
    ExpectCleanEnd(10);
  }
}

TEST_F(ProgmanTest, CommandTooLongForItsBufferIsNotSentCutShort) {
  // Names far longer than any product's make commands 4 and 10 too long even
  // for the buffer sized to the longest paths; they are left out whole.
  std::string longName(700, 'n');
  ProductInfo product = productInfo;
  product.displayName = longName.c_str();
  product.shortName = longName.c_str();
  SetDataDir("C:\\" + std::string(DATA_DIR_SIZE - 4, 'x'));
  CopyInto(exePath, sizeof exePath, std::string(COMPOSED_PATH_SIZE - 1, 'e'));
  CopyInto(startupCommand, sizeof startupCommand, std::string(COMPOSED_PATH_SIZE - 1, 's'));
  fake::Fake().dde.serverPresent = true;
  AnswerStartup(WIN_IDYES);

  RegisterProgmanGroupsFor(product);

  std::vector<std::string> expected = ExpectedCommands(product);
  expected.erase(expected.begin() + 9);
  expected.erase(expected.begin() + 3);
  EXPECT_EQ(SentCommands(), expected);
  ExpectCleanEnd(8);
}

TEST_F(ProgmanTest, SecondRunSendsTheSameCommands) {
  fake::Fake().dde.serverPresent = true;
  AnswerStartup(WIN_IDYES);
  AnswerStartup(WIN_IDYES);

  RegisterProgmanGroups();
  RegisterProgmanGroups();

  std::vector<std::string> twice = kWorkedExample;
  twice.insert(twice.end(), kWorkedExample.begin(), kWorkedExample.end());
  EXPECT_EQ(SentCommands(), twice);
  EXPECT_EQ(fake::Fake().dde.initializeInstancesIn, (std::vector<uint32_t>{0, 0}));
}

TEST(ProgmanDdeCallbackTest, AcceptsAConnectionOnlyForTheShortName) {
  struct Case {
    unsigned type;
    const char* service;
    bool accepted;
  };
  const Case cases[] = {
      {WIN_XTYP_CONNECT, "Brevio", true},
      {WIN_XTYP_CONNECT, "brevio", false},
      {WIN_XTYP_CONNECT, "Brevio Paper", false},
      {WIN_XTYP_CONNECT, "Brevi", false},
      {WIN_XTYP_CONNECT, "", false},
      {WIN_XTYP_CONNECT, "PROGMAN", false},
      {XTYP_REQUEST, "Brevio", false},
      {XTYP_POKE, "Brevio", false},
      {XTYP_WILDCONNECT, "Brevio", false},
      {XTYP_REGISTER, "Brevio", false},
      {XTYP_UNREGISTER, "Brevio", false},
      {WIN_XTYP_EXECUTE, "Brevio", false},
  };
  fake::ResetFake();
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.service) + " type " + std::to_string(c.type));
    // Any topic: only the service name counts.
    platform::DdeHandle topic = fake::MakeDdeString("Anything");
    platform::DdeHandle service = fake::MakeDdeString(c.service);
    platform::DdeHandle result = ProgmanDdeCallback(c.type, 1, nullptr, topic, service, nullptr, 0, 0);
    EXPECT_EQ(result != nullptr, c.accepted);
  }
}

}  // namespace
