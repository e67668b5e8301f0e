// The data-directory stage against the scripted file system, environment,
// INI store and dialog of the fake platform.
#include "datadir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "resource.h"
#include "winvalues.h"

namespace {

using fake::Fake;

constexpr char kCouldNotAccess[] = "Couldn't Access Directory";
constexpr char kShuttingDown[] = "Shutting Down";
constexpr char kCannotCreate[] = "Can't Create Directory";
constexpr char kEnterDirectoryName[] = "Please Enter a Directory Name";
constexpr char kExisting[] = "Write Data to Existing Directory?";

const fake::ProfileEntry kRecord{"brevio.ini", "Options", "dataDir"};

fake::DirsState& Dirs() { return Fake().dirs; }

std::vector<std::string> Captions() {
  std::vector<std::string> captions;
  for (const auto& box : Fake().ui.messageBoxes) captions.push_back(box.caption);
  return captions;
}

int CallsStartingWith(const std::string& prefix) {
  return static_cast<int>(std::count_if(Fake().calls.begin(), Fake().calls.end(),
                                        [&](const std::string& call) { return call.rfind(prefix, 0) == 0; }));
}

// Index of the first logged call that starts with prefix; -1 when none.
int FirstCall(const std::string& prefix) {
  for (size_t i = 0; i < Fake().calls.size(); ++i)
    if (Fake().calls[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
  return -1;
}

std::string Field(platform::Window dialog) { return fake::DialogOf(dialog)->itemTexts[IDC_DATADIR_EDIT]; }
void Press(platform::Window dialog, int id) { fake::SendToDialog(dialog, WIN_WM_COMMAND, id, 0); }

// One pass of the dialog: remembers what the field showed when it opened,
// types `typed` over it (unless null) and presses OK once.
fake::DialogScript TypeAndOk(const char* typed, std::string* shown = nullptr) {
  std::string text = typed ? typed : "";
  bool type = typed != nullptr;
  return [=](platform::Window dialog) {
    if (shown) *shown = Field(dialog);
    if (type) fake::TypeIntoItem(dialog, IDC_DATADIR_EDIT, text);
    Press(dialog, WIN_IDOK);
  };
}

fake::DialogScript Cancel(std::string* shown = nullptr) {
  return [=](platform::Window dialog) {
    if (shown) *shown = Field(dialog);
    Press(dialog, WIN_IDCANCEL);
  };
}

class DataDirTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }

  // A machine with C:\ and C:\windows, no C:\Program Files\Brevio, no
  // record, no home variables, current directory C:\.
  static void Reset() {
    fake::ResetFake();
    std::memset(dataDir, 0, sizeof dataDir);
    messageOwner = nullptr;
    Dirs().directories = {"C:\\windows"};
  }

  static bool HasRecord() { return Dirs().profile.count(kRecord) != 0; }
  static std::string Record() { return HasRecord() ? Dirs().profile.at(kRecord) : "<none>"; }

  // Every box of the stage: the exact style of its caption and the owner given.
  static void ExpectBoxStyles(platform::Window owner) {
    for (const auto& box : Fake().ui.messageBoxes) {
      SCOPED_TRACE(box.caption);
      EXPECT_EQ(box.owner, owner);
      EXPECT_EQ(box.style, box.caption == kExisting ? WIN_MB_YESNO : WIN_MB_ICONWARNING);
    }
  }

  // The state after result 1: dataDir is expected, recorded, and the current directory.
  static void ExpectChosen(const std::string& expected) {
    EXPECT_STREQ(dataDir, expected.c_str());
    EXPECT_EQ(Record(), expected);
    EXPECT_TRUE(fake::SamePath(Dirs().currentDirectory, expected)) << Dirs().currentDirectory;
  }
};

// ---- Helpers on text ----

TEST(DataDirText, CollapseSeparatorsTurnsEveryRunIntoOneBackslash) {
  const struct {
    const char* before;
    const char* after;
  } cases[] = {
      {"C:/Program Files//Brevio", "C:\\Program Files\\Brevio"},
      {"D:\\data\\/x/", "D:\\data\\x\\"},
      {"\\\\server\\share\\Brevio", "\\server\\share\\Brevio"},
      {"C:\\a\\\\Brevio", "C:\\a\\Brevio"},
      {"/\\/", "\\"},
      {"relative//dir", "relative\\dir"},
      {"no separators", "no separators"},
      {"", ""},
  };
  for (const auto& c : cases) {
    char text[64];
    std::strcpy(text, c.before);
    CollapseSeparators(text);
    EXPECT_STREQ(text, c.after) << c.before;
  }
}

TEST(DataDirText, StripTrailingCharRemovesOneMatchingCharacter) {
  const struct {
    const char* before;
    char character;
    const char* after;
  } cases[] = {
      {"C:\\", '\\', "C:"},       {"C:\\\\", '\\', "C:\\"}, {"C:/", '\\', "C:/"},
      {"\\", '\\', ""},           {"", '\\', ""},           {"x/", '/', "x"},
  };
  for (const auto& c : cases) {
    char text[16];
    std::strcpy(text, c.before);
    StripTrailingChar(text, c.character);
    EXPECT_STREQ(text, c.after) << c.before << " without " << c.character;
  }
}

// ---- EnterDirectory ----

TEST_F(DataDirTest, EnterDirectoryEntersAndCreatesOnlyWhenAsked) {
  const struct {
    const char* path;
    int create;
    int result;
    bool made;  // MakeDirectory was called
    bool existsAfter;
  } cases[] = {
      {"C:\\windows", 0, 0, false, true},
      {"C:\\windows", 1, 0, false, true},
      {"C:\\new", 0, -1, false, false},
      {"C:\\new", 1, 0, true, true},
      {"C:\\no\\such", 1, -1, true, false},  // parent missing
      {"C:\\locked", 1, -1, true, true},     // exists, may not be entered
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " create=" + std::to_string(c.create));
    Reset();
    Dirs().lockedDirectories = {"C:\\locked"};
    EXPECT_EQ(EnterDirectory(c.path, c.create), c.result);
    EXPECT_EQ(CallsStartingWith("MakeDirectory(") > 0, c.made);
    EXPECT_EQ(fake::DirectoryExists(c.path), c.existsAfter);
    EXPECT_EQ(fake::SamePath(Dirs().currentDirectory, c.path), c.result == 0) << Dirs().currentDirectory;
  }
}

// ---- The proposal ----

// With C:\Program Files\Brevio absent and nothing recorded, the dialog opens
// with the home-based proposal.
TEST_F(DataDirTest, ProposalFromHomeVariables) {
  const std::string longHome = "\\" + std::string(1013, 'a');  // C: + this + \Brevio = 1023 characters
  const struct {
    const char* label;
    std::string drive;  // "<unset>": not set
    std::string home;
    std::string proposal;
  } cases[] = {
      {"neither set", "<unset>", "<unset>", "C:\\Brevio"},
      {"drive root", "C:", "\\", "C:\\Brevio"},
      {"plain", "H:", "\\users\\ann", "H:\\users\\ann\\Brevio"},
      {"trailing separators", "C:\\", "\\users\\ann\\", "C:\\users\\ann\\Brevio"},
      {"forward slashes", "D:/", "/data/", "D:\\data\\Brevio"},
      {"home with its own drive", "H:", "D:\\home", "D:\\home\\Brevio"},
      {"two backslashes", "C:", "\\a\\\\", "C:\\a\\Brevio"},
      {"only the drive set", "E:", "<unset>", "E:\\Brevio"},
      {"exactly 1023 characters", "C:", longHome, "C:" + longHome + "\\Brevio"},
      {"trailing backslash at the limit", "C:", longHome + "\\", "C:" + longHome + "\\Brevio"},
      {"trailing slash at the limit", "C:", longHome + "/", "C:" + longHome + "\\Brevio"},
      // Too long for dataDir: the installer proposes C:\Brevio instead.
      {"1024 characters", "C:", longHome + "a", "C:\\Brevio"},
      {"very long home", "C:", std::string(5000, 'h'), "C:\\Brevio"},
      {"very long drive", std::string(5000, 'd'), "\\users\\ann", "C:\\Brevio"},
      {"very long drive, unused", std::string(5000, 'd'), "D:\\home", "D:\\home\\Brevio"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Reset();
    Dirs().directories = {"C:\\Program Files", "C:\\windows"};
    if (c.drive != "<unset>") Dirs().environment["HOMEDRIVE"] = c.drive;
    if (c.home != "<unset>") Dirs().environment["HOMEPATH"] = c.home;
    std::string shown;
    Fake().dialogs.dialogScripts.push_back(Cancel(&shown));
    EXPECT_EQ(ChooseDataDirectory(nullptr, nullptr), 0);
    EXPECT_EQ(shown, c.proposal);
    EXPECT_EQ(CallsStartingWith("MakeDirectory("), 0);
  }
}

// A proposal or a record that exists is taken at once: no dialog, no
// directory created, the normalised path recorded and entered.
TEST_F(DataDirTest, ExistingProposalOrRecordIsTakenWithoutDialog) {
  const struct {
    const char* label;
    std::vector<std::string> directories;
    const char* recorded;  // null: nothing recorded
    const char* chosen;
  } cases[] = {
      {"Program Files", {"C:\\Program Files\\Brevio"}, nullptr, "C:\\Program Files\\Brevio"},
      {"home", {"H:\\users\\ann\\Brevio"}, nullptr, "H:\\users\\ann\\Brevio"},
      {"record", {"D:\\data"}, "D:\\data", "D:\\data"},
      {"record over Program Files", {"C:\\Program Files\\Brevio", "D:\\data"}, "D:\\data", "D:\\data"},
      {"record normalised", {"D:\\data\\x"}, "D:/data//x/", "D:\\data\\x\\"},
      {"record of a drive root", {"E:\\"}, "E:\\", "E:\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Reset();
    Dirs().directories.insert(c.directories.begin(), c.directories.end());
    Dirs().environment = {{"HOMEDRIVE", "H:"}, {"HOMEPATH", "\\users\\ann"}};
    if (c.recorded) Dirs().profile[kRecord] = c.recorded;
    EXPECT_EQ(ChooseDataDirectory(nullptr, nullptr), 1);
    ExpectChosen(c.chosen);
    EXPECT_EQ(CallsStartingWith("DialogBoxParam("), 0);
    EXPECT_EQ(CallsStartingWith("MakeDirectory("), 0);
    EXPECT_TRUE(Fake().ui.messageBoxes.empty());
  }
}

TEST_F(DataDirTest, RecordThatDoesNotExistIsOfferedNotCreated) {
  Dirs().profile[kRecord] = "D://gone";
  std::string shown;
  Fake().dialogs.dialogScripts.push_back(Cancel(&shown));
  EXPECT_EQ(ChooseDataDirectory(nullptr, nullptr), 0);
  EXPECT_EQ(shown, "D:\\gone");
  EXPECT_FALSE(fake::DirectoryExists("D:\\gone"));
  EXPECT_EQ(Record(), "D://gone");  // untouched
}

// ---- The dialog and the loop ----

TEST_F(DataDirTest, MissingProposalIsCreatedOnlyAfterOk) {
  std::string shown;
  bool existedWhileOpen = true;
  Fake().dialogs.dialogScripts.push_back([&](platform::Window dialog) {
    shown = Field(dialog);
    existedWhileOpen = fake::DirectoryExists("C:\\Brevio");
    EXPECT_EQ(fake::DialogOf(dialog)->templateId, IDD_DATADIR);
    Press(dialog, WIN_IDOK);
  });
  EXPECT_EQ(ChooseDataDirectory(nullptr, nullptr), 1);
  EXPECT_EQ(shown, "C:\\Brevio");
  EXPECT_FALSE(existedWhileOpen);
  EXPECT_GT(FirstCall("MakeDirectory(C:\\Brevio)"), FirstCall("DialogBoxParam("));
  ExpectChosen("C:\\Brevio");
  EXPECT_TRUE(Fake().ui.messageBoxes.empty());
}

// One press of OK with a typed path: what the user is told, and whether the
// dialog ends (then the path is chosen) or stays open with the typed text
// (then the test cancels).
TEST_F(DataDirTest, OkClassifiesTheTypedPath) {
  const struct {
    const char* typed;
    int answer;  // to the existing-directory question
    std::vector<std::string> captions;
    bool accepted;
    bool triedToCreate;
  } cases[] = {
      {"C:\\new", 0, {}, true, true},
      {"C:\\new\\", 0, {}, true, true},
      {"C:\\notes.txt", 0, {kEnterDirectoryName}, false, false},
      {"D:\\", WIN_IDNO, {kExisting}, false, false},
      {"D:\\", WIN_IDYES, {kExisting}, true, false},
      {"C:\\Program Files", WIN_IDYES, {kExisting}, true, false},
      {"C:\\Program Files", WIN_IDOK, {kExisting}, false, false},  // only Yes counts
      // An existing directory typed with trailing separators is still one.
      {"C:\\Program Files\\", WIN_IDYES, {kExisting}, true, false},
      {"C:/Program Files//", WIN_IDNO, {kExisting}, false, false},
      {"C:\\notes.txt\\", 0, {kEnterDirectoryName}, false, false},
      {"D:", 0, {kCannotCreate}, false, true},
      {"C:\\a?b", 0, {kCannotCreate}, false, true},
      {"C:\\a*", 0, {kCannotCreate}, false, true},
      {"C:\\no\\such", 0, {kCannotCreate}, false, true},
      {"C:\\refused", 0, {kCannotCreate}, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + " answered " + std::to_string(c.answer));
    Reset();
    Dirs().directories = {"C:\\Program Files", "D:\\", "C:\\windows"};
    Dirs().files = {"C:\\notes.txt"};
    Dirs().refusedDirectories = {"C:\\refused"};
    if (c.answer) Fake().ui.messageBoxAnswers.push_back(c.answer);
    bool endedByOk = false;
    std::string fieldAfterOk;
    Fake().dialogs.dialogScripts.push_back([&](platform::Window dialog) {
      fake::TypeIntoItem(dialog, IDC_DATADIR_EDIT, c.typed);
      EXPECT_EQ(fake::SendToDialog(dialog, WIN_WM_COMMAND, WIN_IDOK, 0), 1);
      endedByOk = fake::DialogOf(dialog)->ended;
      fieldAfterOk = Field(dialog);
      if (!endedByOk) Press(dialog, WIN_IDCANCEL);
    });
    const int result = ChooseDataDirectory(nullptr, nullptr);
    EXPECT_EQ(endedByOk, c.accepted);
    EXPECT_EQ(CallsStartingWith(std::string("MakeDirectory(") + c.typed + ")") > 0, c.triedToCreate);
    ExpectBoxStyles(nullptr);
    if (c.accepted) {
      EXPECT_EQ(result, 1);
      EXPECT_EQ(Captions(), c.captions);
      char normalised[64];
      std::strcpy(normalised, c.typed);
      CollapseSeparators(normalised);
      ExpectChosen(normalised);
    } else {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(fieldAfterOk, c.typed);
      std::vector<std::string> expected = c.captions;
      expected.push_back(kShuttingDown);
      EXPECT_EQ(Captions(), expected);
      EXPECT_FALSE(HasRecord());
    }
  }
}

TEST_F(DataDirTest, FileWarningNamesTheShortNameAsExample) {
  Dirs().files = {"C:\\notes.txt"};
  Fake().dialogs.dialogScripts.push_back([](platform::Window dialog) {
    fake::TypeIntoItem(dialog, IDC_DATADIR_EDIT, "C:\\notes.txt");
    Press(dialog, WIN_IDOK);
    Press(dialog, WIN_IDCANCEL);
  });
  ChooseDataDirectory(nullptr, nullptr);
  ASSERT_FALSE(Fake().ui.messageBoxes.empty());
  EXPECT_EQ(Fake().ui.messageBoxes[0].text,
            "That path specifies a file, and not a new or existing directory name. Please enter a directory name, "
            "such as Brevio for example.");
}

// An accepted path that cannot be entered even after creation: the warning,
// then the dialog again showing the normalised path; every box has the owner
// given to the stage.
TEST_F(DataDirTest, PathThatCannotBeEnteredWarnsAndAsksAgain) {
  platform::Window owner = reinterpret_cast<platform::Window>(0x77);
  Dirs().directories = {"D:\\locked", "C:\\windows"};
  Dirs().lockedDirectories = {"D:\\locked"};
  Fake().ui.messageBoxAnswers = {WIN_IDYES};
  std::string shownAgain;
  Fake().dialogs.dialogScripts.push_back(TypeAndOk("D://locked//"));
  Fake().dialogs.dialogScripts.push_back(TypeAndOk("D:\\ok", &shownAgain));
  EXPECT_EQ(ChooseDataDirectory(nullptr, owner), 1);
  EXPECT_EQ(messageOwner, owner);
  ASSERT_EQ(Captions(), (std::vector<std::string>{kExisting, kCouldNotAccess}));
  EXPECT_EQ(Fake().ui.messageBoxes[1].text,
            "That directory does not exist and could not be created. Please enter a valid location for a directory "
            "on your system.");
  EXPECT_EQ(shownAgain, "D:\\locked\\");
  EXPECT_EQ(CallsStartingWith("MakeDirectory(D:\\locked\\)"), 1);  // the later pass tries to create it
  ExpectBoxStyles(owner);
  ExpectChosen("D:\\ok");
}

TEST_F(DataDirTest, CancelInALaterPassShutsDownWithoutRecord) {
  Dirs().directories = {"D:\\locked", "C:\\windows"};
  Dirs().lockedDirectories = {"D:\\locked"};
  Fake().ui.messageBoxAnswers = {WIN_IDYES};
  Fake().dialogs.dialogScripts.push_back(TypeAndOk("D:\\locked"));
  Fake().dialogs.dialogScripts.push_back(Cancel());
  EXPECT_EQ(ChooseDataDirectory(nullptr, nullptr), 0);
  ASSERT_EQ(Captions(), (std::vector<std::string>{kExisting, kCouldNotAccess, kShuttingDown}));
  EXPECT_EQ(Fake().ui.messageBoxes.back().text,
            "This program cannot operate without a data directory to store its files in. The program will exit now. "
            "Please determine an appropriate directory name and start the program again later.");
  EXPECT_EQ(CallsStartingWith("WriteProfileString("), 0);
}

// DialogBoxParam answers -1 when the dialog cannot be shown: the stage ends
// as after Cancel, and creates nothing.
TEST_F(DataDirTest, DialogThatCannotBeShownEndsLikeCancel) {
  ASSERT_TRUE(Fake().dialogs.dialogScripts.empty());  // the fake then answers -1
  EXPECT_EQ(ChooseDataDirectory(nullptr, nullptr), 0);
  EXPECT_EQ(Captions(), std::vector<std::string>{kShuttingDown});
  EXPECT_EQ(CallsStartingWith("MakeDirectory("), 0);
  EXPECT_FALSE(fake::DirectoryExists("C:\\Brevio"));
  EXPECT_FALSE(HasRecord());
}

TEST_F(DataDirTest, OnlyTheFirst1023TypedCharactersAreRead) {
  const std::string typed = "C:\\" + std::string(1500, 'x');
  Fake().dialogs.dialogScripts.push_back(TypeAndOk(typed.c_str()));
  EXPECT_EQ(ChooseDataDirectory(nullptr, nullptr), 1);
  ExpectChosen(typed.substr(0, 1023));
}

// A relative path is created, entered and recorded relative to the current
// directory of the moment, in its normalised form.
TEST_F(DataDirTest, RelativePathIsTakenFromTheCurrentDirectory) {
  Dirs().directories = {"C:\\work\\data", "C:\\windows"};
  Dirs().currentDirectory = "C:\\work";
  Fake().dialogs.dialogScripts.push_back(TypeAndOk("data//new"));
  EXPECT_EQ(ChooseDataDirectory(nullptr, nullptr), 1);
  EXPECT_TRUE(fake::DirectoryExists("C:\\work\\data\\new"));
  EXPECT_STREQ(dataDir, "data\\new");
  EXPECT_EQ(Record(), "data\\new");
  EXPECT_TRUE(fake::SamePath(Dirs().currentDirectory, "C:\\work\\data\\new"));
}

// The procedure by itself: what it answers to each message, and which
// commands end the dialog. Only the low word of wParam names the control.
TEST_F(DataDirTest, DialogProcedureAnswers) {
  const unsigned kWmClose = 0x0010;
  const struct {
    const char* label;
    unsigned message;
    uintptr_t wParam;
    intptr_t returned;
    bool ends;
  } cases[] = {
      {"Cancel", WIN_WM_COMMAND, WIN_IDCANCEL, 1, true},
      {"Cancel, notification in the high word", WIN_WM_COMMAND, (1u << 16) | WIN_IDCANCEL, 1, true},
      {"edit notification", WIN_WM_COMMAND, (0x0300u << 16) | IDC_DATADIR_EDIT, 0, false},
      {"unknown command", WIN_WM_COMMAND, 1234, 0, false},
      {"other message", kWmClose, 0, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Reset();
    std::strcpy(dataDir, "C:\\Brevio");
    platform::Window dialog = platform::CreateDialogParam(nullptr, IDD_DATADIR, nullptr, DataDirDialogProc, 0);
    ASSERT_NE(fake::DialogOf(dialog), nullptr);
    EXPECT_EQ(Field(dialog), "C:\\Brevio");  // set by WM_INITDIALOG
    EXPECT_EQ(CallsStartingWith("SetFocusToItem(1)"), 1);
    EXPECT_EQ(fake::SendToDialog(dialog, c.message, c.wParam, 0), c.returned);
    EXPECT_EQ(fake::DialogOf(dialog)->ended, c.ends);
    if (c.ends) {
      EXPECT_EQ(fake::DialogOf(dialog)->endResult, 0);
    }
  }
  Reset();
  platform::Window dialog = platform::CreateDialogParam(nullptr, IDD_DATADIR, nullptr, DataDirDialogProc, 0);
  EXPECT_EQ(fake::SendToDialog(dialog, WIN_WM_INITDIALOG, 0, 0), 1);
}

}  // namespace
