// The launcher's paint: the splash picture loaded afresh, its palette chosen
// and used only on a palette display, the copy to 19, 10, everything freed
// (never while selected); the centred icon while minimised.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_setup.h"
#include "launcher_config.h"
#include "setup_dialog.h"

namespace {

constexpr unsigned kPaint = 0x000F;
constexpr int kPaletteDisplay = 0x0100;  // RC_PALETTE in RASTERCAPS

class SplashPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setupfake::Reset();
    setupfake::Fake().system.iniFiles["\\Internet\\Vantorin\\cdrun.ini"] = "[CDRun]\nBitmap=splash.bmp\n";
    std::memset(bitmapFileName, 0, kValueSize);
    Send(0x0110, 0, reinterpret_cast<intptr_t>(&dialog));  // WM_INITDIALOG
    setupfake::Fake().calls.clear();
  }

  intptr_t Send(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0) {
    return CDialog::DialogProc(setupfake::kDialogWindow, message, wParam, lParam);
  }

  // A picture of the given depth and stated count, with a colour table of
  // `entries` distinct colours.
  void AddPicture(uint16_t bitCount, uint32_t clrUsed, unsigned entries) {
    auto& gdi = setupfake::Fake().gdi;
    gdi.images["splash.bmp"] = platform::DibHeader{365, 140, bitCount, clrUsed};
    gdi.colourTable.clear();
    for (unsigned i = 0; i < entries; ++i) {
      gdi.colourTable.insert(gdi.colourTable.end(), {static_cast<uint8_t>(i), static_cast<uint8_t>(i ^ 0x55),
                                                     static_cast<uint8_t>(255 - i), 0x77});
    }
  }

  // The calls that begin with one of the given names, in order.
  static std::vector<std::string> CallsNamed(std::initializer_list<const char*> names) {
    std::vector<std::string> picked;
    for (const std::string& call : setupfake::Fake().calls) {
      for (const char* name : names) {
        if (call.rfind(name, 0) == 0) picked.push_back(call);
      }
    }
    return picked;
  }

  // Nothing of the paint survives it, and nothing was freed while selected.
  static void ExpectEverythingFreed() {
    auto& gdi = setupfake::Fake().gdi;
    EXPECT_TRUE(gdi.faults.empty()) << gdi.faults.front();
    EXPECT_TRUE(gdi.liveObjects.empty()) << gdi.liveObjects.size() << " objects left";
    EXPECT_TRUE(gdi.openPaints.empty());
    for (auto& [dc, context] : gdi.contexts) EXPECT_FALSE(context.live) << setupfake::HandleText(dc);
  }

  SetupDialog dialog;
};

TEST_F(SplashPaintTest, AnEightBitPictureIsDrawnWithItsOwnPaletteOnAPaletteDisplay) {
  AddPicture(8, 0, 256);
  setupfake::Fake().gdi.deviceCaps = kPaletteDisplay;
  Send(kPaint);

  const std::vector<std::string> expected = {
      "BeginPaint() = #4096",
      "CreateCompatibleDC(#4096) = #4099",
      "LoadImage(splash.bmp,0,0,0,8208)",
      "GetDC(#0) = #4103",
      "CreateCompatibleDC(#4103) = #4106",
      "GetDIBColorTable(#4106,0,256)",
      "DeleteDC(#4106)",
      "CreatePalette(256)",
      "ReleaseDC(#0,#4103)",
      "SelectPalette(#4096,#4109,0)",
      "RealizePalette(#4096)",
      "BitBlt(#4096,19,10,365,140,#4099,0,0,13369376)",
      "DeleteObject(#4109)",
      "DeleteObject(#4102)",
      "DeleteDC(#4099)",
      "EndPaint()",
  };
  EXPECT_EQ(CallsNamed({"BeginPaint", "CreateCompatibleDC", "LoadImage", "GetDC", "GetDIBColorTable", "DeleteDC",
                        "CreatePalette", "ReleaseDC", "SelectPalette(#4096,#4109", "RealizePalette", "BitBlt",
                        "DeleteObject", "EndPaint"}),
            expected);

  // The palette block: version 0x300, 256 entries in table order, flags 0.
  auto& blocks = setupfake::Fake().gdi.paletteBlocks;
  ASSERT_EQ(blocks.size(), 1u);
  const std::vector<uint8_t>& block = blocks[0];
  EXPECT_EQ(block[0] | block[1] << 8, 0x300);
  EXPECT_EQ(block[2] | block[3] << 8, 256);
  const std::vector<uint8_t>& table = setupfake::Fake().gdi.colourTable;
  for (size_t i = 0; i < 256; ++i) {
    ASSERT_EQ(block[4 + 4 * i], table[4 * i + 2]) << i;      // red
    ASSERT_EQ(block[4 + 4 * i + 1], table[4 * i + 1]) << i;  // green
    ASSERT_EQ(block[4 + 4 * i + 2], table[4 * i]) << i;      // blue
    ASSERT_EQ(block[4 + 4 * i + 3], 0) << i;                 // flags
  }
  ExpectEverythingFreed();
}

struct PaintCase {
  const char* name;
  bool picture;
  uint16_t bitCount;
  uint32_t clrUsed;
  unsigned entries;
  int deviceCaps;
  bool refusePalettes;
  const char* paletteCall;  // "CreatePalette(n)", "CreateHalftonePalette", or "" for none
  bool realised;
};

class SplashPaintCases : public SplashPaintTest, public ::testing::WithParamInterface<PaintCase> {};

TEST_P(SplashPaintCases, PaletteOnlyWhereItBelongsAndEverythingFreed) {
  const PaintCase& c = GetParam();
  if (c.picture) AddPicture(c.bitCount, c.clrUsed, c.entries);
  auto& gdi = setupfake::Fake().gdi;
  gdi.deviceCaps = c.deviceCaps;
  gdi.refusePalettes = c.refusePalettes;
  Send(kPaint);

  std::vector<std::string> made = CallsNamed({"CreatePalette", "CreateHalftonePalette"});
  if (*c.paletteCall) {
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].rfind(c.paletteCall, 0), 0u) << made[0];
  } else {
    EXPECT_TRUE(made.empty());
  }
  EXPECT_EQ(CallsNamed({"RealizePalette"}).size(), c.realised ? 1u : 0u);
  if (!c.realised) {
    EXPECT_TRUE(CallsNamed({"SelectPalette(#4096"}).empty());
  }
  // The copy runs whether or not there is a picture.
  EXPECT_EQ(CallsNamed({"BitBlt"}), std::vector<std::string>{"BitBlt(#4096,19,10,365,140,#4099,0,0,13369376)"});
  EXPECT_TRUE(setupfake::Fake().ui.messageBoxes.empty());
  ExpectEverythingFreed();
}

INSTANTIATE_TEST_SUITE_P(
    Paints, SplashPaintCases,
    ::testing::Values(
        PaintCase{"StatedCount100", true, 8, 100, 100, kPaletteDisplay, false, "CreatePalette(100)", true},
        PaintCase{"FourBits", true, 4, 0, 16, kPaletteDisplay, false, "CreatePalette(16)", true},
        PaintCase{"OneBit", true, 1, 0, 2, kPaletteDisplay, false, "CreatePalette(2)", true},
        PaintCase{"TwentyFourBits", true, 24, 0, 0, kPaletteDisplay, false, "CreateHalftonePalette", true},
        PaintCase{"ThirtyTwoBits", true, 32, 0, 0, kPaletteDisplay, false, "CreateHalftonePalette", true},
        PaintCase{"TrueColourDisplay", true, 8, 0, 256, 0, false, "CreatePalette(256)", false},
        PaintCase{"PaletteRefused", true, 8, 0, 256, kPaletteDisplay, true, "CreatePalette(256)", false},
        PaintCase{"HalftoneRefused", true, 24, 0, 0, kPaletteDisplay, true, "CreateHalftonePalette", false},
        PaintCase{"MissingPicture", false, 0, 0, 0, kPaletteDisplay, false, "", false},
        PaintCase{"BitCount64", true, 64, 0, 0, kPaletteDisplay, false, "CreateHalftonePalette", true},
        PaintCase{"DeepPictureStating16", true, 24, 16, 0, kPaletteDisplay, false, "CreateHalftonePalette", true},
        PaintCase{"StatedCountFarAbove256", true, 8, 0x7FFFFFFF, 256, kPaletteDisplay, false,
                  "CreateHalftonePalette", true}),
    [](const ::testing::TestParamInfo<PaintCase>& info) { return std::string(info.param.name); });

TEST_F(SplashPaintTest, ThePictureIsLoadedAfreshAtEveryPaintAndNothingAccumulates) {
  AddPicture(8, 0, 256);
  setupfake::Fake().gdi.deviceCaps = kPaletteDisplay;
  for (int i = 0; i < 200; ++i) Send(kPaint);
  EXPECT_EQ(CallsNamed({"LoadImage"}).size(), 200u);
  EXPECT_EQ(CallsNamed({"CreatePalette"}).size(), 200u);
  ExpectEverythingFreed();
}

TEST_F(SplashPaintTest, WhileMinimisedTheIconIsCentredInsteadOfThePicture) {
  AddPicture(8, 0, 256);
  auto& ui = setupfake::Fake().ui;
  ui.iconic = 1;
  for (int width : {36, 35}) {
    SCOPED_TRACE(width);
    setupfake::Fake().calls.clear();
    ui.sentMessages.clear();
    ui.clientRect = {0, 0, width, 36};
    Send(kPaint);

    std::vector<std::string> calls = CallsNamed({"BeginPaint", "SendMessage", "DrawIcon", "LoadImage", "EndPaint"});
    ASSERT_EQ(calls.size(), 4u);
    const std::string paintDc = calls[0].substr(calls[0].find('#'));
    ASSERT_EQ(ui.sentMessages.size(), 1u);
    EXPECT_EQ(ui.sentMessages[0].window, setupfake::kDialogWindow);
    EXPECT_EQ(ui.sentMessages[0].message, 0x0027u);  // WM_ICONERASEBKGND with the paint context
    EXPECT_EQ(setupfake::HandleText(reinterpret_cast<void*>(ui.sentMessages[0].wParam)), paintDc);
    EXPECT_EQ(calls[2], "DrawIcon(" + paintDc + ",2,2," + setupfake::HandleText(setupfake::kSetupIcon) + ")");
    EXPECT_EQ(calls[3], "EndPaint()");
  }
  ExpectEverythingFreed();
}

}  // namespace
