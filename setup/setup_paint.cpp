// Painting of the launcher's window: the splash picture with its palette, or
// the launcher's icon while the window is minimised. Every paint loads the
// picture again and frees everything it made before it ends.
#include "gdi.h"
#include "launcher_config.h"
#include "platform.h"
#include "setup_dialog.h"
#include "splash_bitmap.h"
#include "splash_palette.h"
#include "winvalues.h"

namespace {

// The picture's rectangle in the client area, inside the sunken frame.
constexpr int kPictureX = 19;
constexpr int kPictureY = 10;
constexpr int kPictureWidth = 365;
constexpr int kPictureHeight = 140;

}  // namespace

void SetupDialog::OnPaint() {
  CPaintDC dc(this);

  if (IsIconic()) {
    SendMessage(WIN_WM_ICONERASEBKGND, reinterpret_cast<uintptr_t>(dc.GetSafeHdc()), 0);
    const int iconWidth = platform::GetSystemMetrics(WIN_SM_CXICON);
    const int iconHeight = platform::GetSystemMetrics(WIN_SM_CYICON);
    platform::Rect client{};
    GetClientRect(&client);
    const splash::IconPosition at =
        splash::CentreIcon(client.right - client.left, client.bottom - client.top, iconWidth, iconHeight);
    dc.DrawIcon(at.x, at.y, m_hIcon);
    return;
  }

  CDC memory;
  memory.CreateCompatibleDC(&dc);
  // Declared after the memory context, so that they go first: each is
  // deselected from its context and then deleted, then the memory context is
  // deleted, then the paint ends.
  CBitmap bitmap;
  CPalette palette;
  LoadSplashBitmap(bitmapFileName, bitmap, palette);

  // Without a picture the memory context keeps its own 1 by 1 surface.
  memory.SelectObject(&bitmap);
  if ((dc.GetDeviceCaps(WIN_RASTERCAPS) & WIN_RC_PALETTE) && palette.GetSafeHandle()) {
    dc.SelectPalette(&palette, FALSE);
    dc.RealizePalette();
  }
  dc.BitBlt(kPictureX, kPictureY, kPictureWidth, kPictureHeight, &memory, 0, 0, WIN_SRCCOPY);
}
