// The framework's device-context, bitmap and palette wrappers: every object
// is deleted once, never while a context holds it, in whatever order the
// wrappers are declared; every context ends holding only what it began with.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_setup.h"
#include "gdi.h"
#include "wnd.h"

namespace {

class GdiWrapperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setupfake::Reset();
    window.m_hWnd = setupfake::kDialogWindow;
  }
  void TearDown() override {
    auto& gdi = setupfake::Fake().gdi;
    EXPECT_EQ(gdi.faults, std::vector<std::string>{});
    EXPECT_TRUE(gdi.liveObjects.empty()) << gdi.liveObjects.size() << " objects left behind";
    for (auto& [dc, context] : gdi.contexts) EXPECT_FALSE(context.live) << setupfake::HandleText(dc) << " not ended";
    window.m_hWnd = nullptr;
  }
  CWnd window;
};

// The paint of the launcher's picture, with the wrappers declared in the
// order the paint uses them: they are destroyed while still selected.
TEST_F(GdiWrapperTest, WrappersDestroyedWhileSelectedAreDeselectedFirst) {
  CPaintDC dc(&window);
  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&dc));
  CBitmap bitmap;
  ASSERT_TRUE(bitmap.Attach(setupfake::NewGdiObject()));
  CPalette palette;
  ASSERT_TRUE(palette.CreateHalftonePalette(&dc));
  EXPECT_NE(memory.SelectObject(&bitmap), nullptr);
  EXPECT_NE(dc.SelectPalette(&palette, FALSE), nullptr);
  dc.RealizePalette();
  dc.BitBlt(19, 10, 365, 140, &memory, 0, 0, WIN_SRCCOPY);
}

// The same objects outliving their contexts: the contexts put their
// original objects back before they end.
TEST_F(GdiWrapperTest, ContextsThatEndFirstRestoreTheirOriginalSelections) {
  CBitmap bitmap;
  CPalette palette;
  bitmap.Attach(setupfake::NewGdiObject());
  palette.CreateHalftonePalette(nullptr);
  {
    CPaintDC dc(&window);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    memory.SelectObject(&bitmap);
    dc.SelectPalette(&palette, FALSE);
  }
  EXPECT_EQ(setupfake::Fake().gdi.deleted, std::vector<platform::GdiObject>{});
}

TEST_F(GdiWrapperTest, ExplicitDeletionAndReselectionKeepTheFirstOriginal) {
  CClientDC screen(nullptr);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  platform::GdiObject stock = setupfake::Fake().gdi.contexts[memory.GetSafeHdc()].bitmap;
  CBitmap first, second;
  first.Attach(setupfake::NewGdiObject());
  second.Attach(setupfake::NewGdiObject());
  EXPECT_EQ(memory.SelectObject(&first), stock);
  EXPECT_EQ(memory.SelectObject(&second), first.GetSafeHandle());
  EXPECT_TRUE(first.DeleteObject());  // not selected any more: deleted directly
  EXPECT_TRUE(second.DeleteObject());  // selected: the stock bitmap goes back first
  EXPECT_EQ(setupfake::Fake().gdi.contexts[memory.GetSafeHdc()].bitmap, stock);
  EXPECT_FALSE(second.DeleteObject());  // once only
  EXPECT_EQ(setupfake::Fake().gdi.deleted.size(), 2u);
}

TEST_F(GdiWrapperTest, AnEmptyBitmapSelectsNothingAndNeedsNoRestoring) {
  CPaintDC dc(&window);
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap empty;
  CPalette refused;
  setupfake::Fake().gdi.refusePalettes = true;
  EXPECT_FALSE(refused.CreateHalftonePalette(&dc));
  EXPECT_EQ(memory.SelectObject(&empty), nullptr);
  EXPECT_FALSE(empty.DeleteObject());
  auto& calls = setupfake::Fake().calls;
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](auto& c) { return c.rfind("SelectObject", 0) == 0; }), 1);
}

}  // namespace
